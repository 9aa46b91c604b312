#include "installer/wizard/browser_window_check.h"

#include <cstring>

int g_browserWindowFound = 0;
HWND g_foundBrowserWindow = nullptr;

namespace {

bool TitleMatches(const char* title, const char* pattern) {
    if (std::strstr(pattern, "Microsoft"))
        return std::strstr(title, pattern) != nullptr;
    return std::strstr(title, "Netscape -") || std::strstr(title, "- Netscape") ||
           std::strcmp(title, "Netscape") == 0;
}

}  // namespace

BOOL CALLBACK FindBrowserWindowProc(HWND window, LPARAM pattern) {
    char title[128] = "";
    GetWindowTextA(window, title, sizeof title);
    if (TitleMatches(title, reinterpret_cast<const char*>(pattern))) {
        g_browserWindowFound = 1;
        g_foundBrowserWindow = window;
        return FALSE;
    }
    g_browserWindowFound = 0;
    return TRUE;
}

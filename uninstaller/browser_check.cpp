#include "uninstaller/browser_check.h"

#include <initializer_list>

#include "installer/wizard/browser_window_check.h"

HWND FindOpenBrowser() {
    // The installer's pattern for Internet Explorer; any pattern without
    // "Microsoft" makes the callback look for the Netscape titles.
    static const char kInternetExplorer[] = "- Microsoft Internet Explorer";
    static const char kNetscape[] = "Netscape";
    for (const char* pattern : {kInternetExplorer, kNetscape}) {
        g_browserWindowFound = 0;
        EnumWindows(FindBrowserWindowProc, reinterpret_cast<LPARAM>(pattern));
        if (g_browserWindowFound == 1)
            return g_foundBrowserWindow;
    }
    return nullptr;
}

bool AskToCloseBrowser(HWND owner, HWND browser) {
    int answer = MessageBoxA(owner, "Your browser is open.\nClose it please, before you click Remove!",
                             "Zorbit Uninstall", MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDOK) {
        // A browser that hangs must not hang the uninstaller with it.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(browser, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    }
    return false;
}

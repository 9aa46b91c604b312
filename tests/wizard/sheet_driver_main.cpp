// Drives a running installer from outside, for the screenshot script:
//   sheet_driver wait | next | back | cancel | rect
// "wait" waits up to ten seconds for the wizard; "rect" prints the wizard
// window's screen rectangle as "x y width height".
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK FindWizard(HWND window, LPARAM result) {
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window) && GetDlgItem(window, 0x3024)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

HWND Wizard() {
    HWND found = nullptr;
    EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const char* command = argv[1];
    HWND wizard = nullptr;
    for (int i = 0; i < 100 && !(wizard = Wizard()); ++i)
        Sleep(100);
    if (!wizard) {
        std::fprintf(stderr, "no wizard window\n");
        return 1;
    }
    if (std::strcmp(command, "rect") == 0) {
        RECT r;
        GetWindowRect(wizard, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (std::strcmp(command, "next") == 0) {
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    } else if (std::strcmp(command, "back") == 0) {
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_BACK, 0);
    } else if (std::strcmp(command, "cancel") == 0) {
        PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else if (std::strcmp(command, "wait") != 0) {
        return 2;
    }
    std::fflush(stdout);
    return 0;
}

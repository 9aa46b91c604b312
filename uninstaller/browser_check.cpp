#include "uninstaller/browser_check.h"

bool AskToCloseBrowser(HWND owner) {
    MessageBoxA(owner, "Your browser is open.\nClose it please, before you click Remove!", "Zorbit Uninstall",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

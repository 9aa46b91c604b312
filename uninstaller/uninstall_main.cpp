#include <windows.h>
#include <objbase.h>

#include "uninstaller/uninstall_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The shortcuts are read through the shell's link object.
    CoInitialize(nullptr);
    int result = 0;
    {
        UninstallDialog dialog(RunningProduct());
        result = dialog.Run(instance) == IDCANCEL ? 0 : 1;
    }
    CoUninitialize();
    return result;
}

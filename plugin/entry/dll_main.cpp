// Library start-up: records the module handle, through which the menu-bar
// pictures are loaded. Everything else starts at the exports.
#include <windows.h>

#include "plugin/menubar/plugin_module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH)
        SetPluginModule(instance);
    else if (reason == DLL_PROCESS_DETACH)
        SetPluginModule(nullptr);
    return TRUE;
}

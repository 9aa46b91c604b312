// The library's module handle, recorded when the library is loaded. The
// menu-bar pictures are loaded from its resources.
#pragma once

#include <windows.h>

HINSTANCE PluginModule();
void SetPluginModule(HINSTANCE module);

// Keeps the library loaded until the process ends. For code of ours that
// stays reachable from the browser's windows after we let go of them.
void PinPluginModule();

// Counts, across threads, the procedures of ours that the system or the
// browser is running (window and hook procedures), so that a shutdown inside
// one of them can keep the code it returns into: one per procedure call, no
// call into the loader.
class ModuleInUse {
public:
    ModuleInUse();
    ~ModuleInUse();
    ModuleInUse(const ModuleInUse&) = delete;
    ModuleInUse& operator=(const ModuleInUse&) = delete;
};
bool PluginModuleInUse();

// The library's module handle, recorded when the library is loaded. The
// menu-bar pictures are loaded from its resources.
#pragma once

#include <windows.h>

HINSTANCE PluginModule();
void SetPluginModule(HINSTANCE module);

// Keeps the library loaded until the process ends. For code of ours that
// stays reachable from the browser's windows after we let go of them.
void PinPluginModule();

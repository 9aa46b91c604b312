// The library's module handle, recorded when the library is loaded. The
// menu-bar pictures are loaded from its resources.
#pragma once

#include <windows.h>

HINSTANCE PluginModule();
void SetPluginModule(HINSTANCE module);

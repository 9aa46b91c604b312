#include "plugin/entry/plugin_module.h"

namespace {
HINSTANCE g_module = nullptr;
}

HINSTANCE PluginModule() { return g_module; }
void SetPluginModule(HINSTANCE module) { g_module = module; }

void PinPluginModule() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&PinPluginModule), &self);
}

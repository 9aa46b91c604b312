#include "plugin/menubar/plugin_module.h"

#include <atomic>

namespace {
HINSTANCE g_module = nullptr;
std::atomic<int> g_procedureDepth{0};
}

HINSTANCE PluginModule() { return g_module; }
void SetPluginModule(HINSTANCE module) { g_module = module; }

void PinPluginModule() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&PinPluginModule), &self);
}

ModuleInUse::ModuleInUse() { ++g_procedureDepth; }
ModuleInUse::~ModuleInUse() { --g_procedureDepth; }
bool PluginModuleInUse() { return g_procedureDepth.load() != 0; }

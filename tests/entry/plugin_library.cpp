#include "tests/entry/plugin_library.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/files.h"

std::string PluginPath() { return support::DosPath(ZORBIT_PLUGIN_DLL); }

PluginLibrary::PluginLibrary() {
    module_ = LoadLibraryA(PluginPath().c_str());
    EXPECT_NE(nullptr, module_) << PluginPath() << " error " << GetLastError();
    if (!module_)
        return;
    getEntryPoints = reinterpret_cast<NP_GetEntryPointsFunc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "NP_GetEntryPoints")));
    initialize = reinterpret_cast<NP_InitializeFunc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "NP_Initialize")));
    shutdown =
        reinterpret_cast<NP_ShutdownFunc>(reinterpret_cast<void*>(GetProcAddress(module_, "NP_Shutdown")));
    EXPECT_TRUE(getEntryPoints && initialize && shutdown);
}

PluginLibrary::~PluginLibrary() {
    if (!module_)
        return;
    FreeLibrary(module_);
    // Unloaded for real, so the next test starts with empty library values.
    EXPECT_EQ(nullptr, GetModuleHandleA(PluginPath().c_str()));
}

CanaryPluginFuncs::CanaryPluginFuncs() {
    std::memset(&funcs, kCanary, sizeof(funcs));
    std::memset(tail, kCanary, sizeof(tail));
}

bool CanaryPluginFuncs::IsCanary(const void* field, size_t size) const {
    const unsigned char* bytes = static_cast<const unsigned char*>(field);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] != kCanary)
            return false;
    return true;
}

bool CanaryPluginFuncs::TailIntact() const { return IsCanary(tail, sizeof(tail)); }

// The built npzrbit.dll, loaded afresh for each test so that its
// library-wide values start empty.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "plugin/entry/npapi.h"

// The Windows path of the built library (the build gives its Unix path).
std::string PluginPath();

class PluginLibrary {
public:
    PluginLibrary();
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HMODULE module() const { return module_; }
    // Gives the module up unfreed; the object then neither frees it nor
    // checks that it was unloaded.
    HMODULE Release() { return std::exchange(module_, nullptr); }
    NP_GetEntryPointsFunc getEntryPoints = nullptr;
    NP_InitializeFunc initialize = nullptr;
    NP_ShutdownFunc shutdown = nullptr;

private:
    HMODULE module_ = nullptr;
};

// A plug-in table inside a block of canary bytes, so that writes to `size`
// or past the table show.
constexpr unsigned char kCanary = 0xA5;
struct CanaryPluginFuncs {
    CanaryPluginFuncs();
    bool TailIntact() const;
    bool IsCanary(const void* field, size_t size) const;

    NPPluginFuncs funcs;
    unsigned char tail[64];
};

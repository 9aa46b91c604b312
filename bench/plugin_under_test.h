// The built plug-in loaded as a browser loads it, for the benchmarks that run
// under Wine: its entry points filled and initialised with a browser table
// whose services do nothing.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "plugin/entry/npapi.h"

namespace bench {

// The Windows path of a host path, so that a path compiled in by the host's
// build system can be loaded.
inline std::string DosPath(const std::string& unixPath) {
    typedef WCHAR*(CDECL * ToDos)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos)
        return unixPath;
    WCHAR* dos = toDos(unixPath.c_str());
    if (!dos)
        return unixPath;
    char path[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, dos, -1, path, sizeof(path), nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

class PluginUnderTest {
public:
    PluginUnderTest() = default;
    PluginUnderTest(const PluginUnderTest&) = delete;
    PluginUnderTest& operator=(const PluginUnderTest&) = delete;

    ~PluginUnderTest() {
        if (shutdown_)
            shutdown_();
        if (library_)
            FreeLibrary(library_);
    }

    // Loads the library at the host path and runs NP_GetEntryPoints and
    // NP_Initialize; false, with a line on standard output, when any fails.
    bool Load(const char* hostPath) {
        library_ = LoadLibraryA(DosPath(hostPath).c_str());
        if (!library_) {
            std::printf("cannot load %s\n", hostPath);
            return false;
        }
        auto getEntryPoints = reinterpret_cast<NP_GetEntryPointsFunc>(
            reinterpret_cast<void*>(GetProcAddress(library_, "NP_GetEntryPoints")));
        auto initialize = reinterpret_cast<NP_InitializeFunc>(
            reinterpret_cast<void*>(GetProcAddress(library_, "NP_Initialize")));
        auto shutdown = reinterpret_cast<NP_ShutdownFunc>(
            reinterpret_cast<void*>(GetProcAddress(library_, "NP_Shutdown")));
        if (!getEntryPoints || !initialize || !shutdown) {
            std::printf("%s lacks an entry point\n", hostPath);
            return false;
        }
        plugin.size = sizeof(plugin);
        browser_.size = sizeof(browser_);
        browser_.version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
        browser_.geturl = [](NPP, const char*, const char*) -> NPError { return NPERR_NO_ERROR; };
        browser_.status = [](NPP, const char*) {};
        browser_.memalloc = [](uint32_t size) { return std::malloc(size); };
        browser_.memfree = [](void* block) { std::free(block); };
        if (getEntryPoints(&plugin) != NPERR_NO_ERROR || initialize(&browser_) != NPERR_NO_ERROR) {
            std::printf("%s refused to start\n", hostPath);
            return false;
        }
        shutdown_ = shutdown;
        return true;
    }

    NPPluginFuncs plugin = {};

private:
    HMODULE library_ = nullptr;
    NPNetscapeFuncs browser_ = {};
    NP_ShutdownFunc shutdown_ = nullptr;
};

}  // namespace bench

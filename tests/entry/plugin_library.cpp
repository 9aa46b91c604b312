#include "tests/entry/plugin_library.h"

#include <gtest/gtest.h>

#include <cstring>

std::string PluginPath() {
    std::string unixPath = ZORBIT_PLUGIN_DLL;
    typedef WCHAR*(CDECL * ToDos)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos) {
        if (WCHAR* dos = toDos(unixPath.c_str())) {
            char path[MAX_PATH * 2] = {};
            WideCharToMultiByte(CP_ACP, 0, dos, -1, path, sizeof(path), nullptr, nullptr);
            HeapFree(GetProcessHeap(), 0, dos);
            return path;
        }
    }
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

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

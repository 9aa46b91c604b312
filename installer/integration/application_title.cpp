#include "installer/integration/install_state.h"

#include <windows.h>

std::string ApplicationTitle() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "install";
    std::string name(path, length);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

void ShowInstallerMessage(const char* text) {
    std::string title = ApplicationTitle();
    MessageBoxA(GetActiveWindow(), text, title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

#include "plugin/menus/work_file.h"

#include <windows.h>

FILE* CreateWorkFile(std::string& name) {
    name.clear();
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        return nullptr;
    char path[MAX_PATH];
    // With 0 for the number, GetTempFileNameA picks a name that is not in
    // use and creates the file, so nothing existing is ever replaced.
    if (GetTempFileNameA(folder, "zbd", 0, path) == 0)
        return nullptr;
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        DeleteFileA(path);
        return nullptr;
    }
    name = path;
    return file;
}

#include "plugin/menus/work_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <unistd.h>
#include <vector>
#endif

#ifdef _WIN32

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

#else

FILE* CreateWorkFile(std::string& name) {
    name.clear();
    const char* folder = std::getenv("TMPDIR");
    if (!folder || !*folder)
        folder = "/tmp";
    std::string pattern = std::string(folder) + "/zorbit-XXXXXX";
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return nullptr;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(path.data());
        return nullptr;
    }
    name = path.data();
    return file;
}

#endif

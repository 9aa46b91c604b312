#include "plugin/menus/work_file.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

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

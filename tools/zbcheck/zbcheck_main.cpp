// zbcheck [--menus] FILE...
// Checks definition pages for what silently changes their menus, and prints
// one "FILE:LINE: warning: MESSAGE" line per problem. With --menus it also
// prints each page's menus as the plug-in will put them in the menu bar.
// Exit status: 0 no problem, 1 problems, 2 a file could not be read.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "editor/document/definition_document.h"

namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int CheckFile(const char* path, bool menus) {
    const zorbit::PageReading reading = zorbit::ReadPageFile(path);
    if (reading.status == zorbit::ReadStatus::CannotRead ||
        (reading.status == zorbit::ReadStatus::NotDefinitionPage && reading.problems.empty())) {
        std::fflush(stdout);
        std::fprintf(stderr, "zbcheck: %s: %s\n", path, reading.error.c_str());
        return 2;
    }
    if (menus) {
        Print(std::string(path) + ": " + std::to_string(reading.menus.size()) + " menu entries\n");
        Print(zorbit::FormatMenus(reading.menus));
    }
    Print(zorbit::FormatProblems(path, reading.problems));
    return reading.problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool menus = false;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--menus") == 0)
            menus = true;
        else
            files.push_back(argv[i]);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: zbcheck [--menus] FILE...\n");
        return 2;
    }
    int status = 0;
    for (const char* file : files) {
        const int result = CheckFile(file, menus);
        if (result > status)
            status = result;
    }
    std::fflush(stdout);
    return status;
}

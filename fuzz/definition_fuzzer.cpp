// Feeds arbitrary bytes to the definition parser as a definition file and
// checks what comes out: the same lines as a plain in-memory parse of the
// bytes, well-formed entries, and no work file left behind.
#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "fuzz/reference_parser.h"

namespace {

std::string g_inputPath;
std::string g_workFolder;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "definition_fuzzer: %s\n", what);
    std::abort();
}

std::string MakeFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zorbit-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
        Fail("cannot create a scratch folder");
    return pattern;
}

bool FolderIsEmpty(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    bool empty = true;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            empty = false;
    }
    closedir(dir);
    return empty;
}

void RemoveScratch() {
    unlink(g_inputPath.c_str());
    rmdir(g_workFolder.c_str());
    rmdir(g_inputPath.substr(0, g_inputPath.rfind('/')).c_str());
}

bool IsKeyword(std::string_view keyword) {
    return keyword == "TITLE" || keyword == "SUBMENU" || keyword == "MENUITEM" || keyword == "SEPARATOR" ||
           keyword == "BREAK";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_inputPath = MakeFolder() + "/definition.htm";
    // The parser takes its work file from TMPDIR; a folder of its own shows
    // whether the work file is deleted after every read.
    g_workFolder = MakeFolder();
    setenv("TMPDIR", g_workFolder.c_str(), 1);
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* input = std::fopen(g_inputPath.c_str(), "wb");
    if (!input)
        Fail("cannot write the input file");
    if (size && std::fwrite(data, 1, size, input) != size)
        Fail("cannot write the input file");
    std::fclose(input);

    CIEMenuData lines;
    CBarMenuData menus;
    if (ReadDefinition(lines, g_inputPath.c_str()) != 1)
        Fail("a readable file was not read");
    if (lines.TransferTo(&menus) != 1)
        Fail("TransferTo refused a manager");
    if (!FolderIsEmpty(g_workFolder))
        Fail("work file left behind");

    const auto expected = reference::Lines(std::string(reinterpret_cast<const char*>(data), size));
    if (expected.size() != lines.Count())
        Fail("line count differs from the reference parse");
    for (size_t i = 0; i < lines.Count(); ++i) {
        const CPaseData& line = lines.At(i);
        if (line.keyword != expected[i].first || line.text != expected[i].second)
            Fail("line differs from the reference parse");
        if (!IsKeyword(line.keyword))
            Fail("line without a keyword kept");
        if (line.text.size() > zorbit::kLineChars)
            Fail("text longer than a line");
        if (line.keyword == "BREAK" && !line.text.empty())
            Fail("text on a BREAK line");
    }
    if (menus.definitionEntries.size() > lines.Count())
        Fail("more entries than lines");
    for (const auto& entry : menus.definitionEntries) {
        if (entry.depth < 0)
            Fail("negative depth");
        if (entry.kind < Item || entry.kind > Break)
            Fail("unknown kind");
        if (entry.kind != Item && !entry.url.empty())
            Fail("address on an entry that is not an item");
        if ((entry.kind == Separator || entry.kind == Break) && !entry.name.empty())
            Fail("name on a separator or break");
        if (entry.kind == Item && entry.name.empty() && !entry.url.empty())
            Fail("address on an item without a caption");
    }
    return 0;
}

// Feeds arbitrary bytes to the editor's page library as a definition page and
// checks what it promises: its reading in memory gives the lines the plug-in
// reads through its work file, an unchanged page composes to its own bytes,
// and an edited page that is storable reads back as its lines, with only the
// added entry and its line end new.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor/document/page_trace.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "plugin/menus/work_file.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "page_fuzzer: %s\n", what);
    std::abort();
}

void ExpectPluginsLines(const std::string& bytes) {
    std::string path;
    FILE* file = CreateWorkFile(path);
    if (!file)
        return;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    CIEMenuData parsed;
    const int read = written ? ReadDefinition(parsed, path.c_str()) : 0;
    std::remove(path.c_str());
    if (!read)
        return;
    zorbit::detail::PageTrace trace;
    zorbit::detail::TracePage(bytes, trace);
    if (parsed.Count() != trace.definitionLines.size())
        Fail("the reading in memory has another number of lines than the plug-in's");
    for (size_t k = 0; k < parsed.Count(); ++k) {
        const zorbit::detail::TracedLine& line = trace.lines[trace.definitionLines[k]];
        if (parsed.At(k).keyword != line.keyword || parsed.At(k).text != line.quoted)
            Fail("the reading in memory differs from the plug-in's");
    }
}

// The composed text less the added entry and one line end beside it.
bool OnlyAdded(std::string text, size_t at, size_t length, const std::string& original) {
    text.erase(at, length);
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const size_t size = std::strlen(end);
        if (text.compare(at, size, end) == 0 && text.substr(0, at) + text.substr(at + size) == original)
            return true;
        if (at >= size && text.compare(at - size, size, end) == 0 &&
            text.substr(0, at - size) + text.substr(at) == original)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ExpectPluginsLines(bytes);
    const zorbit::PageReading reading = zorbit::ReadPageBytes(bytes);
    if (reading.status == zorbit::ReadStatus::CannotRead)
        Fail(reading.error.c_str());
    for (const zorbit::Problem& problem : reading.problems) {
        if (problem.line < 1 || problem.message.empty())
            Fail("problem without line or message");
        if (problem.lineIndex != zorbit::kNoLine && problem.lineIndex >= reading.page.lines.size())
            Fail("problem points past the lines");
    }
    for (const zorbit::MenuEntry& entry : reading.menus) {
        if (entry.lineIndex >= reading.page.lines.size())
            Fail("entry points past the lines");
    }
    if (reading.status != zorbit::ReadStatus::Read)
        return 0;
    if (zorbit::ComposePage(reading.page) != bytes)
        Fail("unchanged page does not compose to its bytes");
    if (!zorbit::CheckSave(reading.page).storable)
        Fail("unchanged page refused");

    zorbit::DefinitionPage edited = reading.page;
    edited.lines.push_back({zorbit::LineKind::Item, "Added", "added.htm", 0});
    const zorbit::SaveCheck check = zorbit::CheckSave(edited);
    if (!check.storable) {
        if (check.message.empty() || !check.bytes.empty())
            Fail("refused without a message, or with text to write");
        return 0;
    }
    std::vector<size_t> starts;
    zorbit::ComposePage(edited, &starts);
    if (!OnlyAdded(check.bytes, starts.back(), zorbit::ComposeLine(edited.lines.back()).size(), bytes))
        Fail("the page's own text was not kept");
    const zorbit::PageReading back = zorbit::ReadPageBytes(check.bytes);
    if (back.page.lines.size() != edited.lines.size())
        Fail("storable page reads back with another number of lines");
    return 0;
}

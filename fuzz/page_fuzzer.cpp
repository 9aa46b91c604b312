// Feeds arbitrary bytes to the editor's page library as a definition page and
// checks what it promises: the parser's reading is always traced, an
// unchanged page composes to its own bytes, and an edited page that is
// storable reads back as its lines, between its own text kept as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/document/definition_document.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "page_fuzzer: %s\n", what);
    std::abort();
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
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
    if (check.bytes.compare(0, edited.preamble.size(), edited.preamble) != 0 || !EndsWith(check.bytes, edited.trailer))
        Fail("the page's own text was not kept");
    const zorbit::PageReading back = zorbit::ReadPageBytes(check.bytes);
    if (back.page.lines.size() != edited.lines.size())
        Fail("storable page reads back with another number of lines");
    return 0;
}

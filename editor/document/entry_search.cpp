#include "editor/document/entry_search.h"

#include "editor/document/letter_case.h"

namespace {

bool Holds(std::string_view text, std::string_view part) { return FindLetters(text, part) != std::string_view::npos; }

}  // namespace

size_t FindEntry(const std::vector<zorbit::MenuEntry>& entries, std::string_view text, size_t after) {
    if (text.empty() || entries.empty())
        return zorbit::kNoLine;
    const size_t start = after < entries.size() ? after + 1 : 0;
    for (size_t step = 0; step < entries.size(); ++step) {
        const size_t i = (start + step) % entries.size();
        if (Holds(entries[i].name, text) || Holds(entries[i].url, text))
            return i;
    }
    return zorbit::kNoLine;
}

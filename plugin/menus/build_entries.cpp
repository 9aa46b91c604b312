#include <cstdint>
#include <limits>
#include <string_view>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/line_entry.h"

namespace {

// The count only ever moves by one per line; the guards keep a file of
// billions of lines from overflowing it.
void Deeper(int32_t& count) {
    if (count < std::numeric_limits<int32_t>::max())
        ++count;
}

void Shallower(int32_t& count) {
    if (count > std::numeric_limits<int32_t>::min())
        --count;
}

}  // namespace

void CBarMenuData::BuildEntries(const std::vector<CPaseData>& lines,
                                const std::vector<std::shared_ptr<const void>>& texts) {
    definitionEntries.clear();
    const bool shared = !texts.empty();
    size_t textBytes = 0;
    if (shared) {
        for (const auto& text : texts)
            definitionEntries.Share(text);
    } else {
        // One block holds every text: no entry's text is bigger than its line's.
        for (const CPaseData& line : lines)
            textBytes += line.text.size();
    }
    definitionEntries.reserve(lines.size(), textBytes);
    const auto add = [&](std::string_view name, std::string_view url, EntryKind kind, int32_t depth) {
        if (shared)
            definitionEntries.AppendShared(name, url, kind, depth);
        else
            definitionEntries.Append(name, url, kind, depth);
    };

    int32_t count = 0;
    for (const CPaseData& line : lines) {
        const zorbit::LineEntry made = zorbit::EntryOfLine(line.keyword, line.text);
        const int32_t depth = count < 0 ? 0 : count;
        switch (made.effect) {
        case zorbit::LineEffect::EndsTitle:
            count = 0;
            break;
        case zorbit::LineEffect::EndsSubmenu:
            Shallower(count);
            break;
        case zorbit::LineEffect::Entry:
            add(made.name, made.url, made.kind, depth);
            if (made.kind == Title || made.kind == Submenu)
                Deeper(count);
            break;
        case zorbit::LineEffect::Nothing:
            break;
        }
    }
}

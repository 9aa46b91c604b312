#include <cstdint>
#include <limits>
#include <string_view>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/find_near.h"

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

    using namespace std::string_view_literals;
    int32_t count = 0;
    for (const CPaseData& line : lines) {
        const std::string_view keyword = line.keyword;
        const std::string_view text = line.text;
        const int32_t depth = count < 0 ? 0 : count;
        if (keyword == "TITLE"sv) {
            if (text == "END"sv) {
                count = 0;
                continue;
            }
            add(text, {}, Title, depth);
            Deeper(count);
        } else if (keyword == "MENUITEM"sv) {
            const size_t semicolon = zorbit::FindNear(text, ';');
            if (semicolon == std::string_view::npos || semicolon == 0)
                add({}, {}, Item, depth);
            else
                add(text.substr(0, semicolon), text.substr(semicolon + 1), Item, depth);
        } else if (keyword == "SUBMENU"sv) {
            if (text == "END"sv) {
                Shallower(count);
                continue;
            }
            add(text, {}, Submenu, depth);
            Deeper(count);
        } else if (keyword == "SEPARATOR"sv) {
            add({}, {}, Separator, depth);
        } else if (keyword == "BREAK"sv) {
            add({}, {}, Break, depth);
        }
    }
}

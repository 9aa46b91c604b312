#include <cstdint>
#include <limits>
#include <string_view>

#include "plugin/menus/bar_menu_data.h"

namespace {

void AddEntry(std::vector<std::unique_ptr<CItemData>>& entries, std::string name, std::string url,
              EntryKind kind, int32_t count) {
    entries.push_back(std::make_unique<CItemData>(std::move(name), std::move(url), kind, count < 0 ? 0 : count));
}

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

void CBarMenuData::BuildEntries(const std::vector<std::unique_ptr<CPaseData>>& lines) {
    while (!definitionEntries.empty())
        definitionEntries.pop_back();
    definitionEntries.reserve(lines.size());

    using namespace std::string_view_literals;
    int32_t count = 0;
    for (const auto& line : lines) {
        // Compared as views: no length of a literal is counted per line.
        const std::string_view keyword = line->keyword;
        const std::string& text = line->text;
        if (keyword == "TITLE"sv) {
            if (text == "END"sv) {
                count = 0;
                continue;
            }
            AddEntry(definitionEntries, text, std::string(), Title, count);
            Deeper(count);
        } else if (keyword == "MENUITEM"sv) {
            const size_t semicolon = text.find(';');
            if (semicolon == std::string::npos || semicolon == 0)
                AddEntry(definitionEntries, std::string(), std::string(), Item, count);
            else
                AddEntry(definitionEntries, text.substr(0, semicolon), text.substr(semicolon + 1), Item, count);
        } else if (keyword == "SUBMENU"sv) {
            if (text == "END"sv) {
                Shallower(count);
                continue;
            }
            AddEntry(definitionEntries, text, std::string(), Submenu, count);
            Deeper(count);
        } else if (keyword == "SEPARATOR"sv) {
            AddEntry(definitionEntries, std::string(), std::string(), Separator, count);
        } else if (keyword == "BREAK"sv) {
            AddEntry(definitionEntries, std::string(), std::string(), Break, count);
        }
    }
}

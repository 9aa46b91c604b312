// What one classified definition line makes of the menus: an entry with its
// caption and address, the end of the open title or submenu, or nothing.
// BuildEntries builds the menus from it, and the editor reads lines with it,
// so that both always agree.
#pragma once

#include <string_view>

#include "plugin/menus/find_near.h"
#include "plugin/menus/item_data.h"

namespace zorbit {

enum class LineEffect { Entry, EndsTitle, EndsSubmenu, Nothing };

struct LineEntry {
    LineEffect effect = LineEffect::Nothing;
    EntryKind kind = Item;
    std::string_view name;
    std::string_view url;
};

// Always inlined: BuildEntries calls it once per line, on the browser's
// thread, and a call per line made that a quarter slower.
[[gnu::always_inline]] inline LineEntry EntryOfLine(std::string_view keyword, std::string_view text) {
    using namespace std::string_view_literals;
    if (keyword == "TITLE"sv) {
        if (text == "END"sv)
            return {LineEffect::EndsTitle};
        return {LineEffect::Entry, Title, text};
    }
    if (keyword == "MENUITEM"sv) {
        // Without a semicolon after the first character, the item has
        // neither caption nor address.
        const size_t semicolon = FindNear(text, ';');
        if (semicolon == std::string_view::npos || semicolon == 0)
            return {LineEffect::Entry, Item};
        return {LineEffect::Entry, Item, text.substr(0, semicolon), text.substr(semicolon + 1)};
    }
    if (keyword == "SUBMENU"sv) {
        if (text == "END"sv)
            return {LineEffect::EndsSubmenu};
        return {LineEffect::Entry, Submenu, text};
    }
    if (keyword == "SEPARATOR"sv)
        return {LineEffect::Entry, Separator};
    if (keyword == "BREAK"sv)
        return {LineEffect::Entry, Break};
    return {};
}

}  // namespace zorbit

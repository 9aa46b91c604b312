#include "plugin/menus/keyword_scanner.h"

#include <cstring>
#include <iterator>

namespace {

// Each keyword is looked for by its letter that is rarest in captions and
// addresses (not the T of "TITLE", which every "MENUITEM" holds), at this
// offset into the keyword.
constexpr size_t kAnchors[] = {3 /* TITLE: L */, 2 /* SUBMENU: B */, 0 /* MENUITEM: M */, 7 /* SEPARATOR: O */,
                               4 /* BREAK: K */};
static_assert(std::size(kAnchors) == std::size(zorbit::kDefinitionKeywords));

// text.find(keyword, from): memchr for the anchor letter, and the keyword
// compared in place around it.
size_t Find(std::string_view text, size_t keyword, size_t from) {
    const std::string_view wanted = zorbit::kDefinitionKeywords[keyword];
    const size_t anchor = kAnchors[keyword];
    if (from > text.size() || text.size() - from < wanted.size())
        return std::string_view::npos;
    const char* const begin = text.data();
    // The anchors of the keyword's possible places.
    const char* at = begin + from + anchor;
    const char* const last = begin + text.size() - (wanted.size() - anchor) + 1;
    while (at < last) {
        at = static_cast<const char*>(std::memchr(at, wanted[anchor], static_cast<size_t>(last - at)));
        if (!at)
            return std::string_view::npos;
        const char* const start = at - anchor;
        size_t same = 0;
        while (same < wanted.size() && start[same] == wanted[same])
            ++same;
        if (same == wanted.size())
            return static_cast<size_t>(start - begin);
        ++at;
    }
    return std::string_view::npos;
}

}  // namespace

std::string_view KeywordScanner::KeywordOf(size_t from, size_t to) {
    for (size_t keyword = 0; keyword < kKeywordCount; ++keyword) {
        if (!searched_[keyword] || next_[keyword] < from) {
            next_[keyword] = Find(text_, keyword, from);
            searched_[keyword] = true;
        }
        // The first occurrence from the line's start on decides: any later
        // one ends later still.
        const std::string_view wanted = zorbit::kDefinitionKeywords[keyword];
        if (next_[keyword] != std::string_view::npos && next_[keyword] + wanted.size() <= to)
            return wanted;
    }
    return std::string_view();
}

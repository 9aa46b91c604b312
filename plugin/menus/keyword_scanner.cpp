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
// compared in place around it (a compare of known length, which needs no
// call).
template <size_t K>
size_t Find(std::string_view text, size_t from) {
    constexpr std::string_view wanted = zorbit::kDefinitionKeywords[K];
    constexpr size_t size = wanted.size();
    constexpr size_t anchor = kAnchors[K];
    if (from > text.size() || text.size() - from < size)
        return std::string_view::npos;
    const char* const begin = text.data();
    // The anchors of the keyword's possible places.
    const char* at = begin + from + anchor;
    const char* const last = begin + text.size() - (size - anchor) + 1;
    while (at < last) {
        at = static_cast<const char*>(std::memchr(at, wanted[anchor], static_cast<size_t>(last - at)));
        if (!at)
            return std::string_view::npos;
        if (std::memcmp(at - anchor, wanted.data(), size) == 0)
            return static_cast<size_t>(at - anchor - begin);
        ++at;
    }
    return std::string_view::npos;
}

}  // namespace

template <size_t K>
void KeywordScanner::Search(size_t from, size_t to) {
    // Most definition lines begin with their keyword, after the spaces the
    // work file puts before it: nothing earlier can hold it.
    constexpr std::string_view wanted = zorbit::kDefinitionKeywords[K];
    size_t start = from;
    while (start < to && text_[start] == ' ')
        ++start;
    size_t found = start;
    if (text_.size() - start < wanted.size() || std::memcmp(text_.data() + start, wanted.data(), wanted.size()) != 0)
        found = Find<K>(text_, from);
    next_[K] = found == std::string_view::npos ? kNowhere : static_cast<ptrdiff_t>(found);
}

template void KeywordScanner::Search<0>(size_t, size_t);
template void KeywordScanner::Search<1>(size_t, size_t);
template void KeywordScanner::Search<2>(size_t, size_t);
template void KeywordScanner::Search<3>(size_t, size_t);
template void KeywordScanner::Search<4>(size_t, size_t);

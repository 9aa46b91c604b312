// Classifies the lines of one text in order, as CPaseData::KeywordOf would,
// with one search per keyword over the whole text rather than per line: a
// keyword that a line lacks is looked for again only past the place where
// it was last seen, so absent keywords cost nothing per line.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "plugin/menus/pase_data.h"

class KeywordScanner {
public:
    explicit KeywordScanner(std::string_view text) : text_(text) {}

    // The keyword of the line text[from, to), or empty. The lines must be
    // given in order: no line may start before the one before it.
    std::string_view KeywordOf(size_t from, size_t to);

private:
    // Whether keyword K lies wholly in text[from, to).
    template <size_t K>
    bool Holds(size_t from, size_t to);

    static constexpr size_t kKeywordCount = std::size(zorbit::kDefinitionKeywords);

    std::string_view text_;
    // Where each keyword next occurs at or after the last line's start
    // (npos: nowhere), valid while it is not before that start.
    size_t next_[kKeywordCount] = {};
    bool searched_[kKeywordCount] = {};
};

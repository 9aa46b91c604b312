// Classifies the lines of one text in order, as CPaseData::KeywordOf would,
// with one search per keyword over the whole text rather than per line: a
// keyword that a line lacks is looked for again only past the place where
// it was last seen, so absent keywords cost nothing per line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "plugin/menus/pase_data.h"

class KeywordScanner {
public:
    explicit KeywordScanner(std::string_view text) : text_(text) {}

    // The keyword of the line text[from, to), or empty. The lines must be
    // given in order: no line may start before the one before it. Runs for
    // every line of a definition, so what most lines need is inline.
    std::string_view KeywordOf(size_t from, size_t to) {
        static_assert(kKeywordCount == 5);
        if (Holds<0>(from, to))
            return zorbit::kDefinitionKeywords[0];
        if (Holds<1>(from, to))
            return zorbit::kDefinitionKeywords[1];
        if (Holds<2>(from, to))
            return zorbit::kDefinitionKeywords[2];
        if (Holds<3>(from, to))
            return zorbit::kDefinitionKeywords[3];
        if (Holds<4>(from, to))
            return zorbit::kDefinitionKeywords[4];
        return std::string_view();
    }

private:
    static constexpr size_t kKeywordCount = std::size(zorbit::kDefinitionKeywords);
    // Not searched yet, and occurring no more.
    static constexpr ptrdiff_t kUnknown = -1;
    static constexpr ptrdiff_t kNowhere = PTRDIFF_MAX;

    // Whether keyword K lies wholly in text[from, to). The first occurrence
    // from the line's start on decides: any later one ends later still.
    template <size_t K>
    bool Holds(size_t from, size_t to) {
        if (next_[K] < static_cast<ptrdiff_t>(from))
            Search<K>(from, to);
        return next_[K] <= static_cast<ptrdiff_t>(to) - static_cast<ptrdiff_t>(zorbit::kDefinitionKeywords[K].size());
    }

    // Sets where keyword K next occurs at or after `from`, a line's start.
    template <size_t K>
    void Search(size_t from, size_t to);

    std::string_view text_;
    // Where each keyword next occurs at or after the last line's start,
    // valid while it is not before the start of the line asked about.
    ptrdiff_t next_[kKeywordCount] = {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown};
};

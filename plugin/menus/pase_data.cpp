#include "plugin/menus/pase_data.h"

#include <cstring>
#include <iterator>

#include "plugin/menus/find_near.h"

namespace {

constexpr const std::string_view* kKeywords = zorbit::kDefinitionKeywords;
constexpr size_t kNone = std::size(zorbit::kDefinitionKeywords);

// Whether `keyword` occurs in the line: memchr finds the candidates for its
// first letter, which are few in a definition line.
bool Holds(std::string_view line, size_t keyword) {
    const std::string_view wanted = kKeywords[keyword];
    const char* at = line.data();
    const char* const end = line.data() + line.size();
    while (static_cast<size_t>(end - at) >= wanted.size()) {
        const void* found = std::memchr(at, wanted[0], static_cast<size_t>(end - at) - wanted.size() + 1);
        if (!found)
            return false;
        at = static_cast<const char*>(found);
        if (std::memcmp(at, wanted.data(), wanted.size()) == 0)
            return true;
        ++at;
    }
    return false;
}

}  // namespace

// This runs for every line of a definition: each keyword is searched for
// with memchr, in the order that decides, instead of testing every byte.
std::string_view CPaseData::KeywordOf(std::string_view line) {
    for (size_t keyword = 0; keyword < kNone; ++keyword) {
        if (Holds(line, keyword))
            return kKeywords[keyword];
    }
    return std::string_view();
}

bool CPaseData::ClassifyLine(std::string_view line) {
    const std::string_view found = KeywordOf(line);
    if (found.empty())
        return false;
    keyword = found;
    return true;
}

void CPaseData::ExtractText(std::string_view line) {
    if (keyword == "BREAK")
        return;
    const size_t first = zorbit::FindNear(line, '"');
    const size_t last = first == std::string_view::npos ? first : line.rfind('"');
    if (first == last) {
        text = std::string_view();
        return;
    }
    text = std::string_view(line.data() + first + 1, last - first - 1);
}

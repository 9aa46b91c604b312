#include "plugin/menus/pase_data.h"

#include <cstring>
#include <iterator>

namespace {

// The order decides when a line holds several keywords.
constexpr std::string_view kKeywords[] = {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"};
constexpr size_t kNone = std::size(kKeywords);

bool KeywordAt(std::string_view line, size_t at, size_t keyword) {
    const std::string_view wanted = kKeywords[keyword];
    return line.size() - at >= wanted.size() && std::memcmp(line.data() + at, wanted.data(), wanted.size()) == 0;
}

}  // namespace

// One pass over the line instead of one search per keyword: this runs for
// every line of a definition.
std::string_view CPaseData::KeywordOf(std::string_view line) {
    size_t best = kNone;
    for (size_t at = 0; at < line.size(); ++at) {
        size_t found = kNone;
        switch (line[at]) {
        case 'T':
            found = KeywordAt(line, at, 0) ? 0 : kNone;
            break;
        case 'S':
            found = KeywordAt(line, at, 1) ? 1 : KeywordAt(line, at, 3) ? 3 : kNone;
            break;
        case 'M':
            found = KeywordAt(line, at, 2) ? 2 : kNone;
            break;
        case 'B':
            found = KeywordAt(line, at, 4) ? 4 : kNone;
            break;
        default:
            continue;
        }
        if (found < best) {
            best = found;
            if (best == 0)
                break;
        }
    }
    return best == kNone ? std::string_view() : kKeywords[best];
}

bool CPaseData::ClassifyLine(std::string_view line) {
    const std::string_view found = KeywordOf(line);
    if (found.empty())
        return false;
    keyword.assign(found);
    return true;
}

void CPaseData::ExtractText(std::string_view line) {
    if (keyword == "BREAK")
        return;
    const size_t first = line.find('"');
    const size_t last = line.rfind('"');
    if (first == std::string_view::npos || first == last) {
        text.clear();
        return;
    }
    text.assign(line.substr(first + 1, last - first - 1));
}

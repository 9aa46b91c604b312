#include "plugin/menus/pase_data.h"

namespace {

// The order decides when a line holds several keywords.
constexpr std::string_view kKeywords[] = {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"};

}  // namespace

bool CPaseData::ClassifyLine(std::string_view line) {
    for (std::string_view candidate : kKeywords) {
        if (line.find(candidate) != std::string_view::npos) {
            keyword.assign(candidate);
            return true;
        }
    }
    return false;
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

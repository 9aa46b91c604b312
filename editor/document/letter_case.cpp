#include "editor/document/letter_case.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetter);
}

size_t FindLetters(std::string_view text, std::string_view part, size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), part.begin(),
                                   part.end(), SameLetter);
    return found == text.end() && !part.empty() ? std::string_view::npos
                                                : static_cast<size_t>(found - text.begin());
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

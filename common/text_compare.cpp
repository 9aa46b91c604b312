#include "common/text_compare.h"

#include <windows.h>

namespace {

std::string Upper(const std::string& text) {
    std::string upper = text;
    if (!upper.empty())
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}

}  // namespace

bool SameText(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool ContainsText(const std::string& text, const std::string& part) {
    return Upper(text).find(Upper(part)) != std::string::npos;
}

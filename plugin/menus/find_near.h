// Finding a character that usually stands within a few characters.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace zorbit {

// text.find(c): a short loop over the first characters, where a quote or a
// semicolon of a definition line usually stands and a call to memchr costs
// more than it saves, then memchr over the rest.
inline size_t FindNear(std::string_view text, char c) {
    constexpr size_t kNear = 16;
    const size_t near = std::min(text.size(), kNear);
    for (size_t i = 0; i < near; ++i) {
        if (text[i] == c)
            return i;
    }
    if (near == text.size())
        return std::string_view::npos;
    const void* found = std::memchr(text.data() + near, c, text.size() - near);
    return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

}  // namespace zorbit

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
    // (Not "near": the Windows headers define it away.)
    constexpr size_t kHeadChars = 16;
    const size_t head = std::min(text.size(), kHeadChars);
    for (size_t i = 0; i < head; ++i) {
        if (text[i] == c)
            return i;
    }
    if (head == text.size())
        return std::string_view::npos;
    const void* found = std::memchr(text.data() + head, c, text.size() - head);
    return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

}  // namespace zorbit

// Finding a character that usually stands within a few characters.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorbit {

// text.find(c): the first sixteen characters at once, where a quote or a
// semicolon of a definition line usually stands and a call to memchr costs
// more than it saves, then memchr over the rest.
inline size_t FindNear(std::string_view text, char c) {
    // (Not "near": the Windows headers define it away.)
    constexpr size_t kHeadChars = 16;
    size_t head = 0;
#if defined(__SSE2__)
    if (text.size() >= kHeadChars) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data()));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
        if (mask != 0)
            return static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        head = kHeadChars;
    }
#endif
    for (; head < text.size() && head < kHeadChars; ++head) {
        if (text[head] == c)
            return head;
    }
    if (head == text.size())
        return std::string_view::npos;
    const void* found = std::memchr(text.data() + head, c, text.size() - head);
    return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

}  // namespace zorbit

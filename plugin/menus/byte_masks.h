// Which bytes of a 64-byte block of text are of a kind, as the bits of a
// mask (bit k for the block's byte k). A definition has a line and a few
// spaces every few dozen characters: testing sixteen bytes at a time and
// taking the places from a mask costs far less there than a call to memchr
// per place, or a test per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorbit {

// The kinds of byte looked for. Each says which bytes it takes, one at a
// time and sixteen at a time (all ones in the bytes it takes).
struct Newlines {
    static bool Takes(char c) { return c == '\n'; }
#if defined(__SSE2__)
    static __m128i Takes(__m128i bytes) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')); }
#endif
};

struct Spaces {
    static bool Takes(char c) { return c == ' '; }
#if defined(__SSE2__)
    static __m128i Takes(__m128i bytes) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')); }
#endif
};

// Every text that starts a new line in the work file begins with one of them.
struct MarkerLetters {
    static bool Takes(char c) { return c == 'M' || c == 'S' || c == 'T' || c == '<'; }
#if defined(__SSE2__)
    static __m128i Takes(__m128i bytes) {
        const auto equal = [&](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
        return _mm_or_si128(_mm_or_si128(equal('M'), equal('S')), _mm_or_si128(equal('T'), equal('<')));
    }
#endif
};

#if defined(__SSE2__)
template <class Kind>
uint64_t Mask64(const char* bytes) {
    const auto part = [&](int k) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * k));
        return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(Kind::Takes(block))));
    };
    return part(0) | part(1) << 16 | part(2) << 32 | part(3) << 48;
}
#endif

// The mask of the (up to) 64 bytes of `text` from `at`; no bits past its
// end. Nothing past the text is read: the last block of a long text is read
// as the 64 bytes that end it.
template <class Kind>
uint64_t MaskAt(std::string_view text, size_t at) {
    const size_t size = text.size();
    if (at >= size)
        return 0;
#if defined(__SSE2__)
    if (at + 64 <= size)
        return Mask64<Kind>(text.data() + at);
    if (size >= 64)
        return Mask64<Kind>(text.data() + size - 64) >> (64 - (size - at));
#endif
    uint64_t mask = 0;
    for (size_t k = 0; k < 64 && at + k < size; ++k)
        mask |= static_cast<uint64_t>(Kind::Takes(text[at + k])) << k;
    return mask;
}

}  // namespace zorbit

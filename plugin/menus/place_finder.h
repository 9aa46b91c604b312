// Finds, in order, the places of a text that a mask source marks, from the
// masks of its 64-byte blocks: a line of a definition usually ends, and its
// next space stands, in the block the last one was found in or the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "plugin/menus/byte_masks.h"

// Masks: constructed from the text; At(block) gives the mask of the (up to)
// 64 bytes from `block`, no bits past the text's end.
template <class Masks>
class PlaceFinder {
public:
    explicit PlaceFinder(std::string_view text) : size_(text.size()), masks_(text) {}

    // The first place at or after `from`, or the text's size when there is
    // none. Each call must ask from no earlier than the call before it.
    size_t Next(size_t from) {
        if (found_ != kNone) {
            if (from <= found_)
                return found_;
            if (from < block_ + 64) {
                // Places before `from` were taken already.
                mask_ &= ~uint64_t{0} << (from - block_);
                if (mask_ != 0)
                    return found_ = block_ + static_cast<size_t>(__builtin_ctzll(mask_));
                from = block_ + 64;
            }
        }
        return found_ = Search(from);
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    size_t Search(size_t from) {
        block_ = from;
        mask_ = masks_.At(block_);
        while (mask_ == 0 && block_ + 64 < size_) {
            block_ += 64;
            mask_ = masks_.At(block_);
        }
        return mask_ == 0 ? size_ : block_ + static_cast<size_t>(__builtin_ctzll(mask_));
    }

    size_t size_;
    Masks masks_;
    // The block the places are taken from, and those not taken yet.
    size_t block_ = 0;
    uint64_t mask_ = 0;
    // The place the last call found (kNone before the first); a call from
    // no later than it finds it again.
    size_t found_ = kNone;
};

// The bytes of one kind.
template <class Kind>
struct KindMasks {
    explicit KindMasks(std::string_view text) : text(text) {}
    uint64_t At(size_t block) const { return zorbit::MaskAt<Kind>(text, block); }
    std::string_view text;
};

using NewlineFinder = PlaceFinder<KindMasks<zorbit::Newlines>>;

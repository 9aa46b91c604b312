#include "plugin/menus/entry_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr size_t kMinBlockBytes = 4096;

}  // namespace

EntryList::EntryList(EntryList&& other) noexcept
    : blocks_(std::move(other.blocks_)),
      shared_(std::move(other.shared_)),
      free_(other.free_),
      left_(other.left_),
      items_(std::move(other.items_)) {
    other.free_ = nullptr;
    other.left_ = 0;
}

EntryList& EntryList::operator=(EntryList&& other) noexcept {
    if (this == &other)
        return *this;
    clear();
    blocks_ = std::move(other.blocks_);
    shared_ = std::move(other.shared_);
    items_ = std::move(other.items_);
    free_ = std::exchange(other.free_, nullptr);
    left_ = std::exchange(other.left_, 0);
    return *this;
}

void EntryList::push_back(std::unique_ptr<CItemData> entry) {
    if (entry)
        items_.push_back(std::move(*entry));
}

void EntryList::clear() {
    while (!items_.empty())
        items_.pop_back();
    blocks_.clear();
    shared_.clear();
    free_ = nullptr;
    left_ = 0;
}

void EntryList::reserve(size_t entries, size_t textBytes) {
    items_.reserve(items_.size() + entries);
    const size_t bytes = textBytes;
    if (bytes <= left_)
        return;
    blocks_.emplace_back(new char[bytes]);
    free_ = blocks_.back().get();
    left_ = bytes;
}

void EntryList::Store(ItemText& text, std::string_view value) {
    if (value.empty())
        return;
    if (value.size() > left_) {
        const size_t bytes = std::max(kMinBlockBytes, value.size());
        blocks_.emplace_back(new char[bytes]);
        free_ = blocks_.back().get();
        left_ = bytes;
    }
    std::memcpy(free_, value.data(), value.size());
    text.Borrow(free_, value.size());
    free_ += value.size();
    left_ -= value.size();
}

void EntryList::Append(std::string_view name, std::string_view url, EntryKind kind, int32_t depth) {
    CItemData& entry = items_.emplace_back();
    entry.kind = kind;
    entry.depth = depth;
    Store(entry.name, name);
    Store(entry.url, url);
}

void EntryList::Share(std::shared_ptr<const void> storage) {
    shared_.push_back(std::move(storage));
}

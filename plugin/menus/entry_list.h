// The definition entries of a menu manager, in definition order. The entries
// lie side by side, and their texts lie in storage the list keeps: blocks of
// its own, or the text a definition was read into, which the list then
// shares. A definition is read on the browser's thread, and one heap object
// per entry and per text made that read many times slower than reading the
// file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "plugin/menus/item_data.h"

class EntryList {
public:
    using const_iterator = std::vector<CItemData>::const_iterator;

    EntryList() = default;
    EntryList(const EntryList&) = delete;
    EntryList& operator=(const EntryList&) = delete;
    EntryList(EntryList&& other) noexcept;
    EntryList& operator=(EntryList&& other) noexcept;
    ~EntryList() { clear(); }

    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    // Pointers, so that `*list[j]` and `list[j]->name` read as they do for a
    // list of owned pointers.
    CItemData* operator[](size_t index) { return &items_[index]; }
    const CItemData* operator[](size_t index) const { return &items_[index]; }
    CItemData* front() { return &items_.front(); }
    const CItemData* front() const { return &items_.front(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    // Takes over the entry's contents; a null entry adds nothing.
    void push_back(std::unique_ptr<CItemData> entry);
    // Deletes the entries from the last to the first, then their texts.
    void clear();
    // Room for `entries` more entries whose texts, if they are to be copied,
    // take `textBytes` bytes in all.
    void reserve(size_t entries, size_t textBytes);

    // Appends an entry whose texts are copied into the list's own storage.
    void Append(std::string_view name, std::string_view url, EntryKind kind, int32_t depth);

    // Keeps `storage` for as long as the entries: entries appended with
    // AppendShared may then point into it.
    void Share(std::shared_ptr<const void> storage);
    // Appends an entry whose texts lie in storage given to Share. Inline:
    // it runs for every entry of a definition.
    void AppendShared(std::string_view name, std::string_view url, EntryKind kind, int32_t depth) {
        CItemData& entry = items_.emplace_back();
        entry.kind = kind;
        entry.depth = depth;
        entry.name.Borrow(name.data(), name.size());
        entry.url.Borrow(url.data(), url.size());
    }

private:
    void Store(ItemText& text, std::string_view value);

    // Declared before the entries, so that they outlive them.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::shared_ptr<const void>> shared_;
    char* free_ = nullptr;
    size_t left_ = 0;
    std::vector<CItemData> items_;
};

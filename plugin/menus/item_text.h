// The caption or address of a menu entry: text that an entry either holds
// itself or borrows from storage that the entry list it lives in (EntryList)
// keeps, so that a definition of thousands of entries costs no allocation
// per text. Borrowed text is not NUL-terminated: copy it to hand it to the
// system.
#pragma once

#include <cstddef>
#include <cstring>
#include <cstdint>
#include <stdexcept>
#include <string_view>

class ItemText {
public:
    ItemText() = default;
    explicit ItemText(std::string_view text) { Assign(text); }
    // A copy, or a move of borrowed text, holds its own text: nothing outside
    // the list can point into the list's storage.
    ItemText(const ItemText& other) { Assign(other.View()); }
    ItemText(ItemText&& other) { TakeFrom(other); }
    ItemText& operator=(const ItemText& other) {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    ItemText& operator=(ItemText&& other) {
        if (this != &other)
            TakeFrom(other);
        return *this;
    }
    ItemText& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    ItemText& operator=(const char* text) { return *this = std::string_view(text ? text : ""); }
    ~ItemText() {
        if (owned_)
            delete[] data_;
    }

    const char* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    operator std::string_view() const { return View(); }

    friend bool operator==(const ItemText& a, const ItemText& b) { return a.View() == b.View(); }
    friend bool operator!=(const ItemText& a, const ItemText& b) { return a.View() != b.View(); }
    friend bool operator==(const ItemText& a, std::string_view b) { return a.View() == b; }
    friend bool operator!=(const ItemText& a, std::string_view b) { return a.View() != b; }
    friend bool operator==(std::string_view a, const ItemText& b) { return a == b.View(); }
    friend bool operator!=(std::string_view a, const ItemText& b) { return a != b.View(); }
    template <class Stream>
    friend auto operator<<(Stream& out, const ItemText& text) -> decltype(out << std::string_view()) {
        return out << text.View();
    }

private:
    friend class EntryList;

    std::string_view View() const { return std::string_view(data_, size_); }

    void Release() {
        if (owned_)
            delete[] data_;
        data_ = "";
        size_ = 0;
        owned_ = false;
    }

    void Assign(std::string_view text) {
        if (text.size() > UINT32_MAX)
            throw std::length_error("menu entry text");
        char* copy = nullptr;
        if (!text.empty()) {
            copy = new char[text.size()];
            std::memcpy(copy, text.data(), text.size());
        }
        Release();
        if (!copy)
            return;
        data_ = copy;
        size_ = static_cast<uint32_t>(text.size());
        owned_ = true;
    }

    void TakeFrom(ItemText& other) {
        if (!other.owned_) {
            Assign(other.View());
            return;
        }
        Release();
        data_ = other.data_;
        size_ = other.size_;
        owned_ = true;
        other.data_ = "";
        other.size_ = 0;
        other.owned_ = false;
    }

    // Text that lives in storage an EntryList keeps.
    void Borrow(const char* data, size_t size) {
        Release();
        data_ = size ? data : "";
        size_ = static_cast<uint32_t>(size);
    }

    // Small, because a definition has thousands of entries: the text, its
    // length, and whether this object allocated it.
    const char* data_ = "";
    uint32_t size_ = 0;
    bool owned_ = false;
};

// An open registry key, closed by its owner, and the reading of text values
// into the fixed sizes the installer allows.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = other.key_;
            other.key_ = nullptr;
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens name under parent; false (and no key) when it cannot be opened.
    bool Open(HKEY parent, const char* name, REGSAM access) {
        Close();
        HKEY opened = nullptr;
        if (RegOpenKeyExA(parent, name, 0, access, &opened) != ERROR_SUCCESS)
            return false;
        key_ = opened;
        return true;
    }

    void Close() {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

    // A text value read into bufferSize bytes: empty text when it is missing,
    // is not text, or does not fit with its terminator.
    std::string ReadText(const char* valueName, DWORD bufferSize) const;

private:
    HKEY key_ = nullptr;
};

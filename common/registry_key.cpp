#include "common/registry_key.h"

#include <vector>

bool OpenKey(OwnedKey& key, HKEY parent, const char* name, REGSAM access) {
    key.reset();
    HKEY opened = nullptr;
    if (RegOpenKeyExA(parent, name, 0, access, &opened) != ERROR_SUCCESS)
        return false;
    key.reset(opened);
    return true;
}

std::string ReadKeyText(HKEY key, const char* valueName, DWORD bufferSize) {
    if (!key || bufferSize == 0)
        return std::string();
    std::vector<char> buffer(bufferSize);
    DWORD type = 0;
    DWORD size = bufferSize;
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::string();
    // The stored data need not carry its terminator; a value that fills the
    // whole buffer without one is longer than the limit.
    std::string text(buffer.data(), size);
    size_t end = text.find('\0');
    if (end != std::string::npos)
        text.erase(end);
    if (text.size() >= bufferSize)
        return std::string();
    return text;
}

#include "tests/support/state_scopes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace support {

void RegistryScope::Remember(HKEY root, const std::string& key, const char* name) {
    for (const Saved& saved : saved_)
        if (saved.root == root && saved.key == key && saved.name == name)
            return;
    Saved saved{root, key, name, false, 0, std::string()};
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
        DWORD size = 0;
        if (RegQueryValueExA(opened, name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
            saved.data.resize(size);
            saved.existed = RegQueryValueExA(opened, name, nullptr, &saved.type,
                                             reinterpret_cast<BYTE*>(&saved.data[0]), &size) == ERROR_SUCCESS;
            saved.data.resize(size);
        }
        RegCloseKey(opened);
    }
    saved_.push_back(saved);
}

void RegistryScope::CreatePath(HKEY root, const std::string& key) {
    size_t position = 0;
    while (position != std::string::npos) {
        position = key.find('\\', position + 1);
        std::string prefix = key.substr(0, position);
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root, prefix.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS) {
            RegCloseKey(opened);
            continue;
        }
        if (RegCreateKeyExA(root, prefix.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) ==
            ERROR_SUCCESS) {
            RegCloseKey(opened);
            createdKeys_.emplace_back(root, prefix);
        } else {
            ADD_FAILURE() << "cannot create key " << prefix;
            return;
        }
    }
}

void RegistryScope::SetText(HKEY root, const std::string& key, const char* name, const std::string& value) {
    SetBytes(root, key, name, REG_SZ, std::string(value.c_str(), value.size() + 1));
}

void RegistryScope::SetBytes(HKEY root, const std::string& key, const char* name, DWORD type,
                             const std::string& data) {
    Remember(root, key, name);
    CreatePath(root, key);
    HKEY opened = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened)) << key;
    LONG result = RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size()));
    RegCloseKey(opened);
    ASSERT_EQ(ERROR_SUCCESS, result) << key << " " << name;
}

void RegistryScope::Delete(HKEY root, const std::string& key, const char* name) {
    Remember(root, key, name);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(opened, name);
    RegCloseKey(opened);
}

RegistryScope::~RegistryScope() {
    for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(saved->root, saved->key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
            continue;
        if (saved->existed)
            RegSetValueExA(opened, saved->name.c_str(), 0, saved->type,
                           reinterpret_cast<const BYTE*>(saved->data.data()), static_cast<DWORD>(saved->data.size()));
        else
            RegDeleteValueA(opened, saved->name.c_str());
        RegCloseKey(opened);
    }
    std::sort(createdKeys_.begin(), createdKeys_.end(),
              [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
    for (const auto& created : createdKeys_)
        EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(created.first, created.second.c_str())) << created.second;
}

void SetShellFolder(RegistryScope& registry, const char* name, const std::string& path) {
    const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    registry.SetBytes(HKEY_CURRENT_USER, explorer + "User Shell Folders", name, REG_EXPAND_SZ,
                      std::string(path.c_str(), path.size() + 1));
    registry.SetText(HKEY_CURRENT_USER, explorer + "Shell Folders", name, path);
}

ZorbitProfileScope::ZorbitProfileScope() {
    char section[64];
    hadSection_ = GetProfileSectionA("Zorbit", section, sizeof section) > 0;
    char value[1024];
    GetProfileStringA("Zorbit", "ZorbitDir", "\x01", value, sizeof value);
    hadValue_ = std::string(value) != "\x01";
    value_ = value;
}

ZorbitProfileScope::~ZorbitProfileScope() {
    if (hadValue_)
        WriteProfileStringA("Zorbit", "ZorbitDir", value_.c_str());
    else if (hadSection_)
        WriteProfileStringA("Zorbit", "ZorbitDir", nullptr);
    else
        WriteProfileStringA("Zorbit", nullptr, nullptr);
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& directory) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    previous_ = previous;
    EXPECT_TRUE(SetCurrentDirectoryA(directory.c_str())) << directory;
}

CurrentDirectoryScope::~CurrentDirectoryScope() { SetCurrentDirectoryA(previous_.c_str()); }

}  // namespace support

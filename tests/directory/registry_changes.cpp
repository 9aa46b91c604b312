#include "tests/directory/registry_changes.h"

RegistryChanges::~RegistryChanges() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        HKEY key;
        if (RegOpenKeyExA(it->root, it->path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            continue;
        if (it->existed)
            RegSetValueExA(key, it->name.c_str(), 0, it->type, it->data.data(), static_cast<DWORD>(it->data.size()));
        else
            RegDeleteValueA(key, it->name.c_str());
        RegCloseKey(key);
    }
    for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it)
        RegDeleteKeyA(it->first, it->second.c_str());
}

void RegistryChanges::CreatePath(HKEY root, const std::string& path) {
    size_t at = 0;
    while (at != std::string::npos) {
        at = path.find('\\', at + 1);
        std::string part = path.substr(0, at);
        HKEY key;
        if (RegOpenKeyExA(root, part.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            continue;
        }
        if (RegCreateKeyExA(root, part.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegCloseKey(key);
            createdKeys_.emplace_back(root, part);
        }
    }
}

void RegistryChanges::Save(HKEY root, const std::string& path, const char* name) {
    Saved saved = {root, path, name, false, 0, {}};
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
            saved.data.resize(size);
            saved.existed = RegQueryValueExA(key, name, nullptr, &saved.type, saved.data.data(), &size) == ERROR_SUCCESS;
        }
        RegCloseKey(key);
    }
    saved_.push_back(saved);
}

void RegistryChanges::SetText(HKEY root, const std::string& path, const char* name, const std::string& value) {
    CreatePath(root, path);
    Save(root, path, name);
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void RegistryChanges::Remove(HKEY root, const std::string& path, const char* name) {
    Save(root, path, name);
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

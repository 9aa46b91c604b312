// Registry values a test sets or removes in its prefix, all put back as
// they were (keys it created deleted) when the object goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RegistryChanges {
public:
    RegistryChanges() = default;
    ~RegistryChanges();
    RegistryChanges(const RegistryChanges&) = delete;
    RegistryChanges& operator=(const RegistryChanges&) = delete;

    void SetText(HKEY root, const std::string& path, const char* name, const std::string& value);
    void Remove(HKEY root, const std::string& path, const char* name);

private:
    struct Saved {
        HKEY root;
        std::string path;
        std::string name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    void Save(HKEY root, const std::string& path, const char* name);
    void CreatePath(HKEY root, const std::string& path);

    std::vector<Saved> saved_;
    std::vector<std::pair<HKEY, std::string>> createdKeys_;
};

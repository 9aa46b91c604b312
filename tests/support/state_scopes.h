// Registry, profile and current-directory state that a test changes and
// puts back as it found it when the scope ends.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace support {

// Registry values a test sets or deletes, and keys it creates: all put back
// (values restored, created keys removed) when the scope ends.
class RegistryScope {
public:
    RegistryScope() = default;
    ~RegistryScope();
    RegistryScope(const RegistryScope&) = delete;
    RegistryScope& operator=(const RegistryScope&) = delete;

    void SetText(HKEY root, const std::string& key, const char* name, const std::string& value);
    void SetBytes(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& data);
    void Delete(HKEY root, const std::string& key, const char* name);

private:
    struct Saved {
        HKEY root;
        std::string key;
        std::string name;
        bool existed;
        DWORD type;
        std::string data;
    };
    void Remember(HKEY root, const std::string& key, const char* name);
    void CreatePath(HKEY root, const std::string& key);

    std::vector<Saved> saved_;
    std::vector<std::pair<HKEY, std::string>> createdKeys_;
};

// Points one of the user's shell folders at path, in "Shell Folders" and in
// "User Shell Folders": the shell rewrites the first from the second.
void SetShellFolder(RegistryScope& registry, const char* name, const std::string& path);

// The profile entry "Zorbit"/"ZorbitDir" of WIN.INI as the scope found it:
// the value put back, or the entry removed, or the section removed when the
// scope made it.
class ZorbitProfileScope {
public:
    ZorbitProfileScope();
    ~ZorbitProfileScope();
    ZorbitProfileScope(const ZorbitProfileScope&) = delete;
    ZorbitProfileScope& operator=(const ZorbitProfileScope&) = delete;

private:
    bool hadSection_ = false;
    bool hadValue_ = false;
    std::string value_;
};

class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& directory);
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::string previous_;
};

}  // namespace support

// Temporary folders, byte-exact file access and registry, profile and
// current-directory state that each test puts back as it found it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// The names in folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);
std::string ProfileValue(const std::string& file, const char* section, const char* key);

// A new empty folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const char* prefix = "zbt");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

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

// The "Zorbit" section of WIN.INI, put back (or removed) afterwards.
class ZorbitProfileScope {
public:
    ZorbitProfileScope();
    ~ZorbitProfileScope();

private:
    bool hadValue_ = false;
    std::string value_;
};

class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& directory);
    ~CurrentDirectoryScope();

private:
    std::string previous_;
};

// Makes a folder refuse new entries while its files stay writable, for its
// lifetime: Wine maps the folder to a host directory, which the host's
// chattr marks immutable. Refuses() is false where that is not possible.
class RefusingFolder {
public:
    explicit RefusingFolder(const std::string& folder);
    ~RefusingFolder();
    RefusingFolder(const RefusingFolder&) = delete;
    RefusingFolder& operator=(const RefusingFolder&) = delete;
    bool Refuses() const { return refuses_; }

private:
    std::string folder_;
    std::string hostPath_;
    bool refuses_ = false;
};

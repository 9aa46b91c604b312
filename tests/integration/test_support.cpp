#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == bytes.size()) << path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ProfileValue(const std::string& file, const char* section, const char* key) {
    char value[1024];
    GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, file.c_str());
    return value;
}

namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const char* prefix) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char unique[MAX_PATH];
    if (GetTempFileNameA(temp, prefix, 0, unique) == 0) {
        ADD_FAILURE() << "no temporary name in " << temp;
        return;
    }
    DeleteFileA(unique);
    if (!CreateDirectoryA(unique, nullptr))
        ADD_FAILURE() << "cannot create " << unique;
    // The long form, as GetCurrentDirectoryA reports it.
    char full[MAX_PATH];
    DWORD length = GetLongPathNameA(unique, full, MAX_PATH);
    path_ = length > 0 && length < MAX_PATH ? full : unique;
}

TempFolder::~TempFolder() {
    if (!path_.empty())
        RemoveTree(path_);
}

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
    char value[1024];
    GetProfileStringA("Zorbit", "ZorbitDir", "\x01", value, sizeof value);
    hadValue_ = std::string(value) != "\x01";
    value_ = value;
}

ZorbitProfileScope::~ZorbitProfileScope() {
    if (hadValue_)
        WriteProfileStringA("Zorbit", "ZorbitDir", value_.c_str());
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

namespace {

std::string HostPath(const std::string& path) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto toHost = reinterpret_cast<UnixFileName>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    std::wstring wide(path.begin(), path.end());
    char* host = toHost ? toHost(wide.c_str()) : nullptr;
    if (!host)
        return std::string();
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Runs a host shell command and waits for it through a marker file, since
// Wine starts host programs without a handle to wait on.
bool RunHostCommand(const std::string& command) {
    TempFolder markers("zbh");
    std::string marker = markers / "done";
    std::string line = "Z:\\bin\\sh -c \"" + command + "; touch '" + HostPath(marker) + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int i = 0; i < 200 && !Exists(marker); ++i)
        Sleep(25);
    return Exists(marker);
}

}  // namespace

RefusingFolder::RefusingFolder(const std::string& folder) : folder_(folder), hostPath_(HostPath(folder)) {
    if (!Exists("Z:\\usr\\bin\\chattr"))
        hostPath_.clear();
    if (hostPath_.empty())
        return;
    bool ran = RunHostCommand("chattr +i '" + hostPath_ + "'");
    std::string probe = folder_ + "\\probe";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    refuses_ = ran && file == INVALID_HANDLE_VALUE;
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        DeleteFileA(probe.c_str());
    }
}

RefusingFolder::~RefusingFolder() {
    if (!hostPath_.empty())
        RunHostCommand("chattr -i '" + hostPath_ + "'");
}

// Files and folders for the parser tests: scratch folders under the system's
// temporary folder, the temporary folder the parser uses, the current
// directory, and byte-exact file contents.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace scratch {

namespace fs = std::filesystem;

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out.good()) << path;
}

inline std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string SystemTempFolder() {
#ifdef _WIN32
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        return "C:\\";
    return folder;
#else
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
#endif
}

// A new, empty folder with a unique name, removed with everything in it.
class Folder {
public:
    Folder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            fs::path candidate = fs::path(SystemTempFolder()) / ("zorbit-test-" + std::to_string(random()));
            std::error_code error;
            if (fs::create_directory(candidate, error))
                path_ = candidate.string();
        }
        EXPECT_FALSE(path_.empty()) << "no scratch folder";
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder() {
        std::error_code error;
        if (!path_.empty())
            fs::remove_all(path_, error);
    }

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return (fs::path(path_) / name).string(); }
    std::vector<std::string> List() const { return ListFolder(path_); }

private:
    std::string path_;
};

// Points the folder the parser takes its work file from somewhere else, and
// back again.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const std::string& folder) {
#ifdef _WIN32
        for (const char* name : {"TMP", "TEMP"}) {
            char value[32768];
            DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
            saved_.push_back(length ? std::optional<std::string>(value) : std::nullopt);
            SetEnvironmentVariableA(name, folder.c_str());
        }
#else
        const char* value = std::getenv("TMPDIR");
        saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        setenv("TMPDIR", folder.c_str(), 1);
#endif
    }
    TempFolderOverride(const TempFolderOverride&) = delete;
    TempFolderOverride& operator=(const TempFolderOverride&) = delete;
    ~TempFolderOverride() {
#ifdef _WIN32
        const char* names[] = {"TMP", "TEMP"};
        for (size_t i = 0; i < 2; ++i)
            SetEnvironmentVariableA(names[i], saved_[i] ? saved_[i]->c_str() : nullptr);
#else
        if (saved_[0])
            setenv("TMPDIR", saved_[0]->c_str(), 1);
        else
            unsetenv("TMPDIR");
#endif
    }

private:
    std::vector<std::optional<std::string>> saved_;
};

// Makes `folder` the current directory, and restores the previous one.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder) : saved_(fs::current_path()) { fs::current_path(folder); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;
    ~CurrentDirectory() {
        std::error_code error;
        fs::current_path(saved_, error);
    }

private:
    fs::path saved_;
};

// Shows control characters so that a failing byte comparison is readable.
inline std::string Visible(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

}  // namespace scratch

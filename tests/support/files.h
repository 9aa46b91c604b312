// Temporary folders and byte-exact file access for the tests of every area.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace support {

// The file's bytes, or "<missing>" when it cannot be opened.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// The names in folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);
// The file's lines without their CR LF or LF; none when it cannot be opened.
std::vector<std::string> ReadLines(const std::string& path);
std::string ProfileValue(const std::string& file, const char* section, const char* key);

// Removes the folder with everything in it, read-only files included.
void RemoveTree(const std::string& path);

// The Windows form of a path the build gives as a Unix path.
std::string DosPath(const std::string& unixPath);

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

}  // namespace support

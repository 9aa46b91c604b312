// A Favorites folder read into a tree of links. The folder walk is the
// platform's; the rest is portable.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "editor/document/letter_case.h"
#include "editor/document/link_import.h"

#ifdef _WIN32
#include <windows.h>

#include "common/owned_handles.h"
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

constexpr size_t kMaxUrlFileBytes = 64 * 1024;
// Deeper than any menu can open; stops a folder link that leads back up.
constexpr int kMaxFolderDepth = 32;

struct FolderEntry {
    std::string name;
    bool folder = false;
};

#ifdef _WIN32
std::vector<FolderEntry> ListFolder(const std::string& path) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    OwnedFind search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (!search)
        return entries;
    do {
        // A reparse point may lead anywhere, even back up the tree.
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search.get(), &found));
    return entries;
}
const char kSeparator[] = "\\";
#else
std::vector<FolderEntry> ListFolder(const std::string& path) {
    std::vector<FolderEntry> entries;
    DIR* folder = opendir(path.c_str());
    if (!folder)
        return entries;
    while (const dirent* entry = readdir(folder)) {
        struct stat info;
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.' || lstat((path + "/" + name).c_str(), &info) != 0 || S_ISLNK(info.st_mode))
            continue;
        entries.push_back({name, S_ISDIR(info.st_mode)});
    }
    closedir(folder);
    return entries;
}
const char kSeparator[] = "/";
#endif

bool EndsWithUrl(const std::string& name) { return name.size() > 4 && SameLetters(name.substr(name.size() - 4), ".url"); }

std::string Trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t\r");
    const size_t end = text.find_last_not_of(" \t\r");
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

// URL= of the [InternetShortcut] section, as the shell reads it.
std::string UrlOfShortcut(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(kMaxUrlFileBytes, '\0');
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    std::istringstream lines(text);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = Trimmed(line);
        if (!line.empty() && line[0] == '[') {
            inSection = SameLetters(line, "[InternetShortcut]");
        } else if (inSection) {
            const size_t equals = line.find('=');
            if (equals != std::string::npos && SameLetters(Trimmed(line.substr(0, equals)), "URL"))
                return Trimmed(line.substr(equals + 1));
        }
    }
    return std::string();
}

void ReadFolder(const std::string& path, LinkNode& folder, int depth) {
    std::vector<FolderEntry> entries = ListFolder(path);
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        if (a.folder != b.folder)
            return a.folder;
        return LowerCase(a.name) < LowerCase(b.name);
    });
    for (const FolderEntry& entry : entries) {
        if (entry.name == "." || entry.name == "..")
            continue;
        const std::string full = path + kSeparator + entry.name;
        LinkNode node;
        if (entry.folder) {
            node.name = entry.name;
            if (depth < kMaxFolderDepth)
                ReadFolder(full, node, depth + 1);
        } else if (EndsWithUrl(entry.name)) {
            node.kind = LinkNode::Link;
            node.name = entry.name.substr(0, entry.name.size() - 4);
            node.address = UrlOfShortcut(full);
        } else {
            continue;
        }
        folder.children.push_back(std::move(node));
    }
}

}  // namespace

LinkNode ReadFavoritesFolder(const std::string& path) {
    LinkNode root;
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    const size_t slash = folder.find_last_of("\\/");
    root.name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    ReadFolder(folder, root, 0);
    return root;
}

#include <vector>

#include "installer/integration/bookmark_entry.h"
#include "installer/integration/file_handle.h"
#include "installer/integration/file_replacement.h"
#include "uninstaller/removal_steps.h"

namespace {

const char kBookmarkName[] = "Welcome to Zorbit";

std::string FolderOf(const std::string& pattern) {
    size_t slash = pattern.find_last_of('\\');
    return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

// The bookmark files the pattern finds, with their full paths.
std::vector<std::string> MatchingFiles(const std::string& pattern) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search.IsValid())
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(FolderOf(pattern) + found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    return files;
}

}  // namespace

std::string DropBookmarkEntries(const std::string& text, const std::string& address, int* dropped) {
    std::string kept;
    kept.reserve(text.size());
    int count = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, end - start);
        // The installer's own entry names both; a line the user wrote for
        // another page, or another "Welcome to Zorbit", stays.
        if (line.find(kBookmarkName) != std::string::npos && ContainsText(line, address))
            ++count;
        else
            kept += line;
        start = end;
    }
    if (dropped)
        *dropped = count;
    return kept;
}

bool IsBookmarkPattern(const std::string& pattern) {
    static const char kName[] = "\\bookmark*.htm";
    const size_t length = sizeof kName - 1;
    return pattern.size() > length && SameText(pattern.substr(pattern.size() - length), kName);
}

int CountBookmarkFiles(const Product& product, const std::string& pattern) {
    if (!IsBookmarkPattern(pattern))
        return 0;
    std::string address = BookmarkAddress(product.directory);
    int files = 0;
    for (const std::string& path : MatchingFiles(pattern)) {
        std::string text;
        int entries = 0;
        if (ReadFileText(path, text)) {
            DropBookmarkEntries(text, address, &entries);
            if (entries > 0)
                ++files;
        }
    }
    return files;
}

RemovalResult RemoveBookmarkEntries(const Product& product, const std::string& pattern) {
    if (!IsBookmarkPattern(pattern))
        return {Outcome::NotOurs, "not the pattern of the bookmark files"};
    std::string address = BookmarkAddress(product.directory);
    int edited = 0;
    std::string failures;
    for (const std::string& path : MatchingFiles(pattern)) {
        std::string text;
        if (!ReadFileText(path, text)) {
            failures += (failures.empty() ? "" : "; ") + path + ": " + SystemReason(GetLastError());
            continue;
        }
        int entries = 0;
        std::string kept = DropBookmarkEntries(text, address, &entries);
        if (entries == 0)
            continue;
        SetLastError(0);
        if (!ReplaceFileText(path, kept)) {
            DWORD error = GetLastError();
            std::string reason = (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) ? "the file is read-only"
                                 : error ? SystemReason(error)
                                         : "it could not be rewritten";
            failures += (failures.empty() ? "" : "; ") + path + ": " + reason;
            continue;
        }
        ++edited;
    }
    if (!failures.empty())
        return {Outcome::Failed, failures};
    return {edited > 0 ? Outcome::Removed : Outcome::AlreadyGone, ""};
}

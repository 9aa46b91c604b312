#include <vector>

#include "common/bookmark_entry.h"
#include "common/owned_handles.h"
#include "common/file_replacement.h"
#include "uninstaller/removal_steps.h"

namespace {

std::string FolderOf(const std::string& pattern) {
    size_t slash = pattern.find_last_of('\\');
    return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

// The bookmark files the pattern finds, with their full paths.
std::vector<std::string> MatchingFiles(const std::string& pattern) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    OwnedFind search(FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(FolderOf(pattern) + found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return files;
}

}  // namespace

std::string DropBookmarkEntries(const std::string& text, const std::string& address, int* dropped, bool* refused) {
    std::vector<BookmarkSpan> ours;
    bool mixed = false;
    // Another "Welcome to Zorbit", or one for another page, stays.
    for (const BookmarkSpan& span : FindBookmarkEntries(text)) {
        if (!SameText(span.address, address))
            continue;
        ours.push_back(span);
        mixed = mixed || span.holdsOtherLink;
    }
    if (refused)
        *refused = mixed;
    if (mixed)
        ours.clear();
    std::string kept;
    kept.reserve(text.size());
    size_t from = 0;
    for (const BookmarkSpan& span : ours) {
        kept.append(text, from, span.begin - from);
        from = span.end;
    }
    kept.append(text, from, std::string::npos);
    if (dropped)
        *dropped = static_cast<int>(ours.size());
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
        bool refused = false;
        if (ReadFileText(path, text)) {
            DropBookmarkEntries(text, address, &entries, &refused);
            if (entries > 0 || refused)
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
    auto fail = [&failures](const std::string& path, const std::string& reason) {
        failures += (failures.empty() ? "" : "; ") + path + ": " + reason;
    };
    for (const std::string& path : MatchingFiles(pattern)) {
        std::string text;
        if (!ReadFileText(path, text)) {
            fail(path, SystemReason(GetLastError()) + "; the file is as it was");
            continue;
        }
        int entries = 0;
        bool refused = false;
        std::string kept = DropBookmarkEntries(text, address, &entries, &refused);
        if (refused) {
            fail(path, "another link stands inside the entry, so nothing was taken out; the file is as it was");
            continue;
        }
        if (entries == 0)
            continue;
        SetLastError(0);
        std::string keptCopy;
        if (!ReplaceFileText(path, kept, &keptCopy)) {
            DWORD error = GetLastError();
            std::string reason = (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) ? "the file is read-only"
                                 : error ? SystemReason(error)
                                         : "it could not be rewritten";
            fail(path, reason + (keptCopy.empty() ? "; the file is as it was"
                                                  : "; the only whole copy of the original is " + keptCopy));
            continue;
        }
        ++edited;
    }
    if (!failures.empty())
        return {Outcome::Failed, failures};
    return {edited > 0 ? Outcome::Removed : Outcome::AlreadyGone, ""};
}

#include "installer/integration/bookmark_file.h"

#include "common/bookmark_entry.h"

BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter replacement) {
    return SetFileReplacementWriter(replacement);
}

bool RewriteBookmarkFile(const std::string& path, const std::string& productDirectory) {
    std::string text;
    if (!ReadFileText(path, text))
        return false;
    std::string rewritten = RewriteBookmarkText(text, productDirectory);
    // A file that would not change is not touched at all.
    return rewritten == text || ReplaceFileText(path, rewritten);
}

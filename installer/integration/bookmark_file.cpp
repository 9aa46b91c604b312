#include "installer/integration/bookmark_file.h"

#include "installer/integration/bookmark_entry.h"

BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter replacement) {
    return SetFileReplacementWriter(replacement);
}

bool RewriteBookmarkFile(const std::string& path, const std::string& entryLine) {
    std::string text;
    if (!ReadFileText(path, text))
        return false;
    return ReplaceFileText(path, RewriteBookmarkText(text, entryLine));
}

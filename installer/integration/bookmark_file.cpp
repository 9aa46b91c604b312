#include "installer/integration/bookmark_file.h"

#include "installer/integration/bookmark_entry.h"
#include "installer/integration/file_handle.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string& text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7fffffff)
        return false;
    text.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < text.size()) {
        DWORD read = 0;
        DWORD wanted = static_cast<DWORD>(text.size() - done);
        if (!ReadFile(file.Get(), &text[done], wanted, &read, nullptr))
            return false;
        if (read == 0)
            break;
        done += read;
    }
    text.resize(done);
    return true;
}

}  // namespace

BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter replacement) {
    return SetFileReplacementWriter(replacement);
}

bool RewriteBookmarkFile(const std::string& path, const std::string& entryLine) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    // A read-only bookmark file is the user's choice to keep it as it is.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    std::string text;
    if (!ReadWholeFile(path, text))
        return false;
    return ReplaceFileText(path, RewriteBookmarkText(text, entryLine));
}

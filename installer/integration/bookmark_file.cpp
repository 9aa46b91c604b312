#include "installer/integration/bookmark_file.h"

#include "installer/integration/bookmark_entry.h"
#include "installer/integration/file_handle.h"

namespace {

BookmarkFileWriter writer = WriteFile;

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

bool WriteWholeFile(HANDLE file, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        DWORD wanted = static_cast<DWORD>(text.size() - done);
        if (!writer(file, text.data() + done, wanted, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':'))
        return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

bool WriteScratchFile(const std::string& scratch, const std::string& text) {
    FileHandle file(CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    bool written = WriteWholeFile(file.Get(), text);
    return file.Close() && written;
}

}  // namespace

BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter replacement) {
    BookmarkFileWriter previous = writer;
    writer = replacement ? replacement : WriteFile;
    return previous;
}

bool RewriteBookmarkFile(const std::string& path, const std::string& entryLine) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    // A read-only bookmark file is the user's choice to keep it as it is.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    std::string text;
    if (!ReadWholeFile(path, text))
        return false;
    std::string rewritten = RewriteBookmarkText(text, entryLine);

    // The scratch file lies beside the bookmark file, so that the final move
    // is a rename on one volume, and takes a name no other file has.
    char scratch[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "zbm", 0, scratch) == 0)
        return false;
    bool replaced = WriteScratchFile(scratch, rewritten);
    if (replaced) {
        DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (kept)
            SetFileAttributesA(scratch, kept);
        replaced = MoveFileExA(scratch, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    if (!replaced)
        DeleteFileA(scratch);
    return replaced;
}

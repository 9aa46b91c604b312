#include "installer/integration/file_replacement.h"

#include "installer/integration/file_handle.h"

namespace {

FileReplacementWriter writer = WriteFile;

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

FileReplacementWriter SetFileReplacementWriter(FileReplacementWriter replacement) {
    FileReplacementWriter previous = writer;
    writer = replacement ? replacement : WriteFile;
    return previous;
}

bool ReplaceFileText(const std::string& path, const std::string& text) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    // The scratch file lies beside the file, so that the final move is a
    // rename on one volume, and takes a name no other file has.
    char scratch[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "zbm", 0, scratch) == 0)
        return false;
    bool replaced = WriteScratchFile(scratch, text);
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

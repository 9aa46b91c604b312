#include "common/file_replacement.h"

#include "common/owned_handles.h"

namespace {

FileReplacementCalls calls = {WriteFile, ReplaceFileA, GetTempFileNameA};

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!calls.write(file, bytes.data() + done, wanted, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7fffffff)
        return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return false;
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':'))
        return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

std::string TempFolder() {
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        return std::string();
    return std::string(folder, length);
}

// A new empty file of a name no other file has, in folder. Some platforms
// hand out a name they could not create, so the file must be there to count.
bool MakeUniqueFile(const std::string& folder, const char* prefix, std::string& name) {
    char buffer[MAX_PATH];
    if (folder.empty() || calls.makeName(folder.c_str(), prefix, 0, buffer) == 0)
        return false;
    DWORD attributes = GetFileAttributesA(buffer);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    name = buffer;
    return true;
}

// Fills a file made by MakeUniqueFile and puts it on disk.
bool WriteUniqueFile(const std::string& name, const std::string& bytes) {
    OwnedFile file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    return file.close() && written;
}

// A file reached through a link, or one with other names besides this one,
// must be written where it is: a swap would leave the other names and the
// link's target with the old text.
bool IsReachedByOtherNames(const std::string& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return true;
    OwnedFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    return file && GetFileInformationByHandle(file.get(), &information) &&
           information.nNumberOfLinks > 1;
}

bool OverwriteInPlace(HANDLE file, const std::string& bytes) {
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, bytes) && SetEndOfFile(file) &&
           FlushFileBuffers(file);
}

// The swap beside the file: ReplaceFileA gives the scratch file the
// replaced file's attributes, security, creation time and streams. On
// failure the replaced file is left as it was.
bool ReplaceBeside(const std::string& path, DWORD attributes, const std::string& scratch, const std::string& text) {
    // Not every platform's ReplaceFileA carries these over itself.
    DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    bool replaced = WriteUniqueFile(scratch, text) && (!kept || SetFileAttributesA(scratch.c_str(), kept)) &&
                    calls.replace(path.c_str(), scratch.c_str(), nullptr, 0, nullptr, nullptr);
    if (!replaced)
        DeleteFileA(scratch.c_str());
    return replaced;
}

// The copy in place, for a folder that takes no scratch file or a file that
// must keep its other names. The backup holds the original until the copy
// is whole, so that even a process that dies half-way leaves it somewhere.
bool ReplaceInPlace(const std::string& path, const std::string& text, std::string* keptCopy) {
    std::string folder = TempFolder();
    std::string scratch;
    if (!MakeUniqueFile(folder, "zbm", scratch))
        return false;
    std::string written;
    if (!WriteUniqueFile(scratch, text) || !ReadFileText(scratch, written) || written != text) {
        DeleteFileA(scratch.c_str());
        return false;
    }
    // Nobody else writes the file while it is being replaced.
    OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string original;
    std::string backup;
    if (!file || !ReadAll(file.get(), original) || !MakeUniqueFile(folder, "zbk", backup)) {
        DeleteFileA(scratch.c_str());
        return false;
    }
    if (!WriteUniqueFile(backup, original)) {
        DeleteFileA(backup.c_str());
        DeleteFileA(scratch.c_str());
        return false;
    }
    bool replaced = OverwriteInPlace(file.get(), written);
    DWORD error = replaced ? 0 : GetLastError();
    // The bytes held in memory are the backup's, just written and flushed.
    bool whole = replaced || OverwriteInPlace(file.get(), original);
    DeleteFileA(scratch.c_str());
    // Where even the restore failed the backup is the one whole copy left.
    if (whole)
        DeleteFileA(backup.c_str());
    else if (keptCopy)
        *keptCopy = backup;
    SetLastError(error);
    return replaced;
}

}  // namespace

bool ReadFileText(const std::string& path, std::string& text) {
    OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ReadAll(file.get(), text);
}

FileReplacementCalls SetFileReplacementCalls(const FileReplacementCalls& replacement) {
    FileReplacementCalls previous = calls;
    calls.write = replacement.write ? replacement.write : WriteFile;
    calls.replace = replacement.replace ? replacement.replace : ReplaceFileA;
    calls.makeName = replacement.makeName ? replacement.makeName : GetTempFileNameA;
    return previous;
}

FileReplacementWriter SetFileReplacementWriter(FileReplacementWriter writer) {
    FileReplacementCalls replacement = calls;
    replacement.write = writer;
    return SetFileReplacementCalls(replacement).write;
}

bool ReplaceFileText(const std::string& path, const std::string& text, const ReplaceOptions& options) {
    if (!options.backup.empty()) {
        std::string original;
        std::string scratch;
        if (!ReadFileText(path, original) || !MakeUniqueFile(FolderOf(options.backup), "zbk", scratch))
            return false;
        if (!WriteUniqueFile(scratch, original) ||
            !MoveFileExA(scratch.c_str(), options.backup.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileA(scratch.c_str());
            return false;
        }
    }
    return ReplaceFileText(path, text);
}

bool ReplaceFileText(const std::string& path, const std::string& text, std::string* keptCopy) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    // A read-only file is the user's choice to keep it as it is.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    std::string scratch;
    if (!IsReachedByOtherNames(path, attributes) && MakeUniqueFile(FolderOf(path), "zbm", scratch))
        return ReplaceBeside(path, attributes, scratch, text);
    return ReplaceInPlace(path, text, keptCopy);
}

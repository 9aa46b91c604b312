// Replacing a user's page in one step, the previous version kept as NAME.bak
// when asked. On Windows through the replacement every user file takes.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "editor/document/definition_document.h"

#ifdef _WIN32
#include "common/file_replacement.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace zorbit {

#ifdef _WIN32

namespace {

std::string SystemMessage(DWORD code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

class OwnedFile {
public:
    explicit OwnedFile(HANDLE handle) : handle_(handle) {}
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;
    ~OwnedFile() { Close(); }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const bool closed = handle_ == INVALID_HANDLE_VALUE || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool WriteScratch(const std::string& scratch, std::string_view bytes, std::string& error) {
    OwnedFile file(CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        error = "the new text cannot be written beside the file: " + SystemMessage(GetLastError());
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            error = "the new text cannot be written beside the file: " + SystemMessage(GetLastError());
            return false;
        }
        done += written;
    }
    if (!FlushFileBuffers(file.Get()) || !file.Close()) {
        error = "the new text cannot be written beside the file: " + SystemMessage(GetLastError());
        return false;
    }
    return true;
}

}  // namespace

bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool ReplacePageFile(const std::string& path, std::string_view bytes, bool keepBackup, std::string& error) {
    error.clear();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        error = "the file is read-only";
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        ReplaceOptions options;
        if (keepBackup)
            options.backup = path + ".bak";
        if (ReplaceFileText(path, std::string(bytes), options))
            return true;
        error = "the file cannot be replaced: " + SystemMessage(GetLastError());
        return false;
    }
    // A new file: written under a unique name beside it, then named.
    char scratch[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "zbe", 0, scratch) == 0) {
        error = "no new file can be made in the file's folder: " + SystemMessage(GetLastError());
        return false;
    }
    if (!WriteScratch(scratch, bytes, error)) {
        DeleteFileA(scratch);
        return false;
    }
    if (!MoveFileExA(scratch, path.c_str(), MOVEFILE_WRITE_THROUGH)) {
        error = "the file cannot be written: " + SystemMessage(GetLastError());
        DeleteFileA(scratch);
        return false;
    }
    return true;
}

#else

// The permission bits, not access(): a user with every right still expects a
// file marked read-only to be left alone.
bool IsReadOnlyFile(const std::string& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 && (existing.st_mode & 0222) == 0;
}

bool ReplacePageFile(const std::string& path, std::string_view bytes, bool keepBackup, std::string& error) {
    error.clear();
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && IsReadOnlyFile(path)) {
        error = "the file is read-only";
        return false;
    }
    std::string pattern = path + ".XXXXXX";
    std::vector<char> scratch(pattern.begin(), pattern.end());
    scratch.push_back('\0');
    const int fd = ::mkstemp(scratch.data());
    if (fd < 0) {
        error = std::string("no new file can be made in the file's folder: ") + std::strerror(errno);
        return false;
    }
    bool written = true;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        if (written)
            done += static_cast<size_t>(n);
    }
    if (written && exists)
        written = ::fchmod(fd, existing.st_mode & 07777) == 0;
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        error = std::string("the new text cannot be written beside the file: ") + std::strerror(errno);
        ::unlink(scratch.data());
        return false;
    }
    if (exists && keepBackup) {
        const std::string backup = path + ".bak";
        ::unlink(backup.c_str());
        if (::link(path.c_str(), backup.c_str()) != 0) {
            error = std::string("the previous version cannot be kept as ") + backup + ": " + std::strerror(errno);
            ::unlink(scratch.data());
            return false;
        }
    }
    if (::rename(scratch.data(), path.c_str()) != 0) {
        error = std::string("the file cannot be replaced: ") + std::strerror(errno);
        ::unlink(scratch.data());
        return false;
    }
    return true;
}

#endif

}  // namespace zorbit

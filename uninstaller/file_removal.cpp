#include "uninstaller/removal_steps.h"

PathKind KindOf(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

std::string SystemReason(DWORD error) {
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ' || reason.back() == '\r' ||
                               reason.back() == '\n'))
        reason.pop_back();
    if (reason.empty())
        reason = "error " + std::to_string(error);
    return reason;
}

RemovalResult DeleteOwnFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {Outcome::AlreadyGone, ""};
    // The read-only mark is the user's choice to keep the file as it is.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return {Outcome::Failed, "the file is read-only"};
    if (DeleteFileA(path.c_str()))
        return {Outcome::Removed, ""};
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return {Outcome::AlreadyGone, ""};
    return {Outcome::Failed, SystemReason(error)};
}

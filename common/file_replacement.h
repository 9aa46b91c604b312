// The replacement of a user's file by new text: never half-written, never
// lost, and the file stays the file it was (its links, security, times and
// streams), so other programs and other links still find the new text.
#pragma once

#include <windows.h>

#include <string>

// Replaces the file at path with text so that it is never half-written and never lost, keeping its
// identity (ReplaceFileA beside it; where the folder refuses a scratch file, the temp-folder path
// with a backup). On failure the file keeps its content and no scratch or backup file remains, except
// where even the restore of a copy in place failed: the backup is then the one whole copy of the
// original, and keptCopy (when given) receives its path.
bool ReplaceFileText(const std::string& path, const std::string& text, std::string* keptCopy = nullptr);

struct ReplaceOptions {
    // When not empty, the file's text before the replacement is first put
    // under this name in one step (a copy, never the file itself, so the
    // file is never left only under this name).
    std::string backup;
};
bool ReplaceFileText(const std::string& path, const std::string& text, const ReplaceOptions& options);

// Reads the whole file at path, sharing it only with readers; false when it
// cannot be opened or read.
bool ReadFileText(const std::string& path, std::string& text);

// The platform calls whose failures a test cannot bring about for real; each
// is the platform's own unless a test puts a failing one in its place.
using FileReplacementWriter = BOOL(WINAPI*)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                            LPOVERLAPPED overlapped);
using FileReplacementReplacer = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags,
                                              LPVOID exclude, LPVOID reserved);
using FileReplacementNamer = UINT(WINAPI*)(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name);
struct FileReplacementCalls {
    FileReplacementWriter write;      // every write: scratch, backup, in place, restore
    FileReplacementReplacer replace;  // the swap beside the file
    FileReplacementNamer makeName;    // scratch and backup names
};
// Null members take the platform's call. Returns the calls it replaces.
FileReplacementCalls SetFileReplacementCalls(const FileReplacementCalls& calls);
// Replaces the writer alone.
FileReplacementWriter SetFileReplacementWriter(FileReplacementWriter writer);

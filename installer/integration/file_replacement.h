// The replacement of a user's file by new text: never half-written, never
// lost, and the file stays the file it was (its links, security, times and
// streams), so other programs and other links still find the new text.
#pragma once

#include <windows.h>

#include <string>

// Replaces the file at path with text so that it is never half-written and never lost, keeping its
// identity (ReplaceFileA beside it; where the folder refuses a scratch file, the temp-folder path
// with a backup). On failure the file keeps its content and no scratch or backup file remains.
bool ReplaceFileText(const std::string& path, const std::string& text);

// How the scratch file's bytes are written; WriteFile unless a test puts a
// failing writer in its place. Returns the writer it replaces.
using FileReplacementWriter = BOOL(WINAPI*)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                            LPOVERLAPPED overlapped);
FileReplacementWriter SetFileReplacementWriter(FileReplacementWriter writer);

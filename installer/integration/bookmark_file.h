// The edit of one bookmark file: its new text goes to a scratch file beside
// it, which then takes the bookmark file's place in one step.
#pragma once

#include <windows.h>

#include <string>

// Rewrites the bookmark file at path around entryLine (see
// RewriteBookmarkText). On any failure the file keeps its content and no
// scratch file remains; the result tells whether the file was replaced.
bool RewriteBookmarkFile(const std::string& path, const std::string& entryLine);

// How the scratch file's bytes are written; WriteFile unless a test puts a
// failing writer in its place. Returns the writer it replaces.
using BookmarkFileWriter = BOOL(WINAPI*)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                         LPOVERLAPPED overlapped);
BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter writer);

// The edit of one bookmark file, replaced as a whole by ReplaceFileText.
#pragma once

#include <windows.h>

#include <string>

#include "installer/integration/file_replacement.h"

// Rewrites the bookmark file at path around entryLine (see
// RewriteBookmarkText). On any failure the file keeps its content and no
// scratch file remains; the result tells whether the file was replaced.
bool RewriteBookmarkFile(const std::string& path, const std::string& entryLine);

// The writer of ReplaceFileText under its older name.
using BookmarkFileWriter = FileReplacementWriter;
BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter writer);

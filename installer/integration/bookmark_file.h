// The edit of one bookmark file, replaced as a whole by ReplaceFileText.
#pragma once

#include <windows.h>

#include <string>

#include "common/file_replacement.h"

// Rewrites the bookmark file at path for productDirectory (see
// RewriteBookmarkText). On any failure the file keeps its content and no
// scratch file remains; the result tells whether the file was replaced.
bool RewriteBookmarkFile(const std::string& path, const std::string& productDirectory);

// The writer of ReplaceFileText under its older name.
using BookmarkFileWriter = FileReplacementWriter;
BookmarkFileWriter SetBookmarkFileWriter(BookmarkFileWriter writer);

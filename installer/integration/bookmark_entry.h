// The "Welcome to Zorbit" bookmark: its address, its entry line and the
// rewriting of a bookmark file's text around it.
#pragma once

#include <string>

// The file address of the start page: file:///D|/Apps/Menu/BatchBM.htm for a
// drive path, file://server/share/Menu/BatchBM.htm for a UNC path.
std::string BookmarkAddress(const std::string& productDirectory);

// Four blanks, the anchor for the address, CR LF.
std::string BookmarkEntryLine(const std::string& productDirectory);

// The bookmark file's new text: the entry line after the first line holding
// "<DL><p>", every later line holding "Welcome to Zorbit" dropped, every line
// ended with CR LF.
std::string RewriteBookmarkText(const std::string& text, const std::string& entryLine);

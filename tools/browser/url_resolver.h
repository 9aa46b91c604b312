// Turns the addresses a page or a plug-in names into local file paths.
// Only local files are fetched; anything with a scheme other than "file" is
// a remote address.
#pragma once

#include <string>

namespace zorbit::browser {

// True for "http:", "https:", "ftp:", "mailto:", "javascript:" and every
// other scheme of two or more letters except "file:".
bool IsRemoteUrl(const std::string& url);

// The directory part of a local path, without the trailing backslash.
std::string DirectoryOf(const std::string& path);

// Resolves a local address (relative, absolute, a drive or UNC path, or a
// file: URL with '/' or '\' and '|' or ':' after the drive letter) against
// the directory baseDir. The result uses backslashes, with "." and ".."
// removed and any "?query" or "#fragment" dropped. Returns "" for a remote
// address or an empty one.
std::string ResolveLocalPath(const std::string& url, const std::string& baseDir);

// "file:///C:/dir/name.htm" for "C:\dir\name.htm".
std::string FileUrlFor(const std::string& path);

}  // namespace zorbit::browser

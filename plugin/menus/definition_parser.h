// Reading a menu definition file: the normalised work-file copy, and the
// classified lines read back from it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CIEMenuData;

namespace zorbit {

// A source file is copied in chunks of at most this many characters (one
// 2048-byte buffer); a longer physical line is copied in several chunks.
constexpr size_t kChunkChars = 2047;
// A line break is put before a space when one of the markers lies wholly in
// the window of this many characters that starts at the space.
constexpr size_t kMarkerWindowChars = 10;
// The work file is read back in lines of at most this many characters (one
// 400-byte buffer); a longer line is read in pieces.
constexpr size_t kLineChars = 399;

}  // namespace zorbit

// Writes the normalised copy of the definition file to a new work file with
// a unique name in the system's temporary folder. 1 and the work file's name,
// or 0 and an empty name when the source cannot be read or the work file
// cannot be created or written (no work file is left behind then).
int CopyToWorkFile(const char* sourcePath, std::string& workFileName);
// The same, and the number of newlines written to the work file.
int CopyToWorkFile(const char* sourcePath, std::string& workFileName, size_t& newlines);

// True when the window (a space and the characters after it) holds one of
// the texts that start a new line in the work file.
bool IsBreakMarker(std::string_view window);

// Appends the definition lines of the file to `target`. 1 when the work file
// was read, 0 when there was nothing to read (the list is left as it was).
// The work file is deleted before this returns, whatever the outcome.
int ReadDefinition(CIEMenuData& target, const char* sourcePath);

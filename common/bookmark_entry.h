// The "Welcome to Zorbit" bookmark: its address, its entry and the places
// of such entries in a bookmark file's text.
#pragma once

#include <string>
#include <vector>

// The file address of the start page: file:///D|/Apps/Menu/BatchBM.htm for a
// drive path, file://server/share/Menu/BatchBM.htm for a UNC path.
std::string BookmarkAddress(const std::string& productDirectory);

// The anchor for the address with its <DT>: <DT><A HREF="...">Welcome to Zorbit</A>.
std::string BookmarkEntry(const std::string& productDirectory);
// Four blanks, the entry, CR LF.
std::string BookmarkEntryLine(const std::string& productDirectory);

// One "Welcome to Zorbit" entry found in a text: from its <DT> (or its <A>
// when no <DT> stands before it on its line) to the end of its </A>, widened
// to the whole line, blanks and one line end, when nothing else stands on it.
struct BookmarkSpan {
    size_t begin = 0;
    size_t end = 0;
    std::string address;  // the HREF of the entry's anchor
    bool holdsOtherLink = false;  // another <A> lies inside: the span is no entry of ours alone
};

// Every entry named "Welcome to Zorbit" whose anchor carries an address,
// in the order they stand. Line ends may be CR LF, LF or CR.
std::vector<BookmarkSpan> FindBookmarkEntries(const std::string& text);

// The bookmark file's new text: every earlier "Welcome to Zorbit" entry's
// span taken out (unless it holds another link), then the entry for
// productDirectory as a line of its own after the first line holding
// "<DL><p>", with that line's line end; when that line has none, the entry
// goes right after the tag. Every other byte stays as it was.
std::string RewriteBookmarkText(const std::string& text, const std::string& productDirectory);

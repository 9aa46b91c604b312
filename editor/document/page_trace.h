// The plug-in's reading of a page, line by line, with where each line the
// parser reads lies in the page's bytes. Made in memory: the same steps as
// the plug-in's work file (chunks, normalisation, lines of 399), without
// the file. Internal to the page library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/menus/bar_menu_data.h"

namespace zorbit::detail {

// One line as ReadDefinition classifies it: at most 399 characters of a
// normalised line, without its newline.
struct TracedLine {
    std::string_view text;  // into PageTrace::work
    size_t workBegin = 0;   // index into PageTrace::work of its first character
    size_t begin = 0;       // byte offset in the page of its first character from the page
    size_t end = 0;         // byte offset just past its last one
    int physicalLine = 1;
    // Characters at its start that the page does not have: the space of an
    // inserted "\r\n ", when normalisation started this line.
    size_t insertedLead = 0;
    // Characters of the whole normalised line this is a piece of, newline
    // excluded; above 399 when the parser reads it in pieces.
    size_t normalisedLength = 0;
    bool firstPiece = true;
    // The plug-in's classification (CPaseData); empty keyword when none.
    std::string_view keyword;
    std::string_view quoted;
};

struct PageTrace {
    PageTrace() = default;
    PageTrace(const PageTrace&) = delete;  // the lines point into `work`
    PageTrace& operator=(const PageTrace&) = delete;

    // The page's bytes; the plug-in reads them up to `readEnd` (a Ctrl-Z or
    // the end).
    std::string text;
    size_t readEnd = 0;
    // The bytes of the file at `path` (up to a little over kMaxPageBytes).
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

// Offset of each physical line as an editor shows them: lines end with
    // LF, CR LF, or a CR alone.
    std::vector<size_t> lineStarts;

    // The normalised text the plug-in would write to its work file, and for
    // each of its characters the page offset it came from (kInserted marks
    // the characters normalisation put in).
    std::string work;
    std::vector<uint32_t> origin;
    static constexpr uint32_t kInserted = 0x80000000u;

    std::vector<TracedLine> lines;
    size_t embedLine = static_cast<size_t>(-1);  // index into lines
    // Indices into `lines` of the definition lines, in the order
    // ReadDefinition delivers them.
    std::vector<size_t> definitionLines;
    // The plug-in's entries built from them (BuildEntries).
    CBarMenuData menus;

    bool HasEmbed() const { return embedLine != static_cast<size_t>(-1); }
    int LineOf(size_t offset) const;
    // The page offset of work character `at`.
    size_t PageOffset(size_t at) const;
};

// The bytes of the file at `path` (up to a little over kMaxPageBytes).
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

// Offset of each physical line of `text`, as PageTrace::lineStarts.
std::vector<size_t> LineStarts(std::string_view text);

// Reads the page's bytes as the plug-in does.
void TracePage(std::string_view bytes, PageTrace& trace);

}  // namespace zorbit::detail

#include "editor/document/definition_document.h"

namespace zorbit::detail {

// A definition line from the parser's keyword and quoted text, as the
// plug-in's BuildEntries will show it.
DefinitionLine LineFromParsed(std::string_view keyword, std::string_view quoted, int sourceLine);

// The page bytes of a definition line's entry: from its first keyword to
// its last double quote.
void EntrySpan(const PageTrace& trace, const TracedLine& line, size_t& begin, size_t& end);

// Why an entry past the last place of its menu never shows.
inline const char kLeftOutOfAFullMenu[] =
    "comes after the 4096th entry of its menu (titles count on the menu bar), and the plug-in leaves it out";

// The plug-in's entries with their place in the page; lineIndex is the
// ordinal of the definition line each came from.
std::vector<MenuEntry> BuildMenuView(const PageTrace& trace);

// The checker's problems in line order; lineIndex as for BuildMenuView.
std::vector<Problem> CheckTrace(const PageTrace& trace, const std::vector<MenuEntry>& menus);

}  // namespace zorbit::detail

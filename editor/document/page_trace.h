// The plug-in's reading of a page, line by line, with where each line the
// parser reads lies in the page's bytes. Internal to the page library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/menus/bar_menu_data.h"

namespace zorbit::detail {

// One line as ReadDefinition reads it from the work file: at most 399
// characters, the newline kept.
struct TracedLine {
    std::string text;
    size_t begin = 0;  // index into PageTrace::text of its first character
    size_t end = 0;    // index just past its last one
    int physicalLine = 1;
    // Characters at its start that the page does not have: the space of an
    // inserted "\r\n ", when normalisation started this line.
    size_t insertedLead = 0;
    // Characters of the whole normalised line this is a piece of, newline
    // excluded; above 399 when the parser reads it in pieces.
    size_t normalisedLength = 0;
    bool firstPiece = true;
    // The plug-in's classification (CPaseData); empty keyword when none.
    std::string keyword;
    std::string quoted;
};

struct PageTrace {
    // The page as the plug-in's text-mode reading sees it (CR LF as LF,
    // nothing after Ctrl-Z), and the byte offset of each of its characters
    // in the page; rawOffset[text.size()] is the end of the page.
    std::string text;
    std::vector<uint32_t> rawOffset;  // pages are far below 4 GB (kMaxPageBytes)
    std::vector<size_t> lineStarts;  // index into text of each physical line

    std::vector<TracedLine> lines;
    // Spaces of `text` before which normalisation broke the line, in order.
    std::vector<size_t> insertedBreaks;
    size_t embedLine = static_cast<size_t>(-1);  // index into lines
    // Indices into `lines` of the definition lines, in the order
    // ReadDefinition delivers them.
    std::vector<size_t> definitionLines;
    // The plug-in's entries built from them (ReadDefinition, TransferTo).
    CBarMenuData menus;

    bool HasEmbed() const { return embedLine != static_cast<size_t>(-1); }
    int LineOf(size_t index) const;
};

// Reads the page at `path` (holding `bytes`) as the plug-in does. False with
// `error` when the parser could not read it, or when its reading does not
// match the traced lines (which would be a fault of this library).
bool TracePage(const std::string& path, std::string_view bytes, PageTrace& trace, std::string& error);

}  // namespace zorbit::detail

#include "editor/document/definition_document.h"

namespace zorbit::detail {

// The page's bytes read through the parser: written to a scratch file with
// a unique name, traced, and the scratch file removed.
bool TraceBytes(std::string_view bytes, PageTrace& trace, std::string& error);

// A definition line from the parser's keyword and quoted text.
DefinitionLine LineFromParsed(const std::string& keyword, const std::string& quoted, int sourceLine);

// Why an entry past the last place of its menu never shows.
inline const char kLeftOutOfAFullMenu[] =
    "comes after the 4096th entry of its menu (titles count on the menu bar), and the plug-in leaves it out";

// The plug-in's entries with their place in the page; lineIndex is the
// ordinal of the definition line each came from.
std::vector<MenuEntry> BuildMenuView(const PageTrace& trace);

// The checker's problems in line order; lineIndex as for BuildMenuView.
std::vector<Problem> CheckTrace(const PageTrace& trace, const std::vector<MenuEntry>& menus);

}  // namespace zorbit::detail

// A definition page as the menu editor and the checker see it. Everything
// here reads the page with the plug-in's own parser (ReadDefinition,
// TransferTo, BuildEntries), so what is shown, checked and saved is what the
// plug-in will put in the browser's menu bar. Portable: no Windows needed,
// except ReplacePageFile, which uses the platform's file calls.
//
// Typical use:
//   PageReading reading = ReadPageFile(path);          // open
//   ... edit reading.page.lines ...
//   PageReading now = ReadEditedPage(reading.page);    // tree, menus, problems
//   SaveOutcome saved = SavePage(reading.page, path);  // check, then replace
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/menus/item_data.h"

class CBarMenuData;

namespace zorbit {

// Pages larger than this are refused as not a definition page: far more
// than any definition, and the editor holds the whole page in memory. Out of
// memory is the only exception any function here lets through.
constexpr size_t kMaxPageBytes = 8u * 1024u * 1024u;

constexpr size_t kNoLine = static_cast<size_t>(-1);

// One definition line of the page, as an author writes it. "END" lines are
// lines of their own kind, so a tree of titles and submenus can be written
// back line for line.
enum class LineKind : int32_t {
    Title,       // TITLE "caption"
    TitleEnd,    // TITLE "END"
    Submenu,     // SUBMENU "caption"
    SubmenuEnd,  // SUBMENU "END"
    Item,        // MENUITEM "caption;address"
    Separator,   // SEPARATOR
    Break,       // BREAK
};

// "TITLE", "TITLE END", "SUBMENU", "SUBMENU END", "MENUITEM", "SEPARATOR",
// "BREAK".
const char* LineKindName(LineKind kind);

struct DefinitionLine {
    LineKind kind = LineKind::Item;
    std::string caption;  // Title, Submenu, Item; empty for the others
    // Item only. A MENUITEM read without a semicolon has its whole text as
    // the caption and no address (the plug-in shows it as an empty item,
    // which the checker reports).
    std::string address;
    // 1-based physical line of the page the line was read from; 0 for a line
    // the editor added.
    int sourceLine = 0;
    // Index into DefinitionPage::originalLines of the line as read; kNoLine
    // for a line the editor added. A line equal to its original keeps its
    // bytes when the page is saved.
    size_t source = kNoLine;

    bool operator==(const DefinitionLine& other) const {
        return kind == other.kind && caption == other.caption && address == other.address;
    }
    bool operator!=(const DefinitionLine& other) const { return !(*this == other); }
};

// Where a line's entry lies in DefinitionPage::originalBytes: from its
// first keyword to its last double quote.
struct SourceSpan {
    size_t begin = 0;
    size_t end = 0;
};

// A page split in three: its own text before the definition, the definition
// lines, and its own text after them. A page that was read is saved as its
// own bytes with only the entries that changed written anew; a new page is
// written as preamble, one line per entry and trailer.
struct DefinitionPage {
    // Everything up to and including the embed line, and the page's text
    // after it up to the first definition keyword (so an opening <pre> or
    // <p> stays where it is). Empty for a page without embed.
    std::string preamble;
    // The definition lines the plug-in reads, in order. The editor edits
    // this list.
    std::vector<DefinitionLine> lines;
    // What follows the last definition line: the closing tags, byte for
    // byte. When other text follows the last definition line's closing
    // double quote on its physical line ("</pre>"), the trailer starts there.
    std::string trailer;

    // The bytes the page was read from and the lines as read; a page whose
    // lines still equal them is saved as those bytes, unchanged.
    std::string originalBytes;
    std::vector<DefinitionLine> originalLines;
    std::vector<SourceSpan> originalSpans;  // one per original line
    // Where lines go when no line of the page as read is left to put them
    // beside: the start of the line after the embed tag's.
    size_t definitionStart = 0;
    bool hasEmbed = false;
};

// The page the editor's File > New starts: a small HTML page like the
// product's own, whose embed tag names `fileName` (the page itself), with one
// title holding one item.
DefinitionPage NewPage(std::string_view fileName);

// One entry as the plug-in puts it in the menu bar (a CItemData of the
// plug-in's BuildEntries, with where it came from and whether it shows).
struct MenuEntry {
    EntryKind kind = Item;  // the plug-in's kind: Item, Submenu, Title, Separator, Break
    std::string name;
    std::string url;
    int32_t depth = 0;      // nesting depth as BuildEntries computes it
    size_t index = 0;       // index among the plug-in's definition entries
    uint32_t command = 0;   // 3000 + index for an Item that shows, else 0
    int sourceLine = 0;     // 1-based physical line of the page
    // Index into DefinitionPage::lines of the line the entry came from, or
    // kNoLine when the page's text outside the definition produced it.
    size_t lineIndex = 0;
    bool shown = true;      // false: the entry never appears in any menu
    std::string hiddenReason;  // plain words, when !shown
};

// The problems the checker finds. Each one silently changes the menus.
enum class ProblemKind : int32_t {
    NoEmbed = 1,            // no lower-case "embed": nothing is defined
    DefinitionOnEmbedLine,  // dropped together with the embed line
    KeywordInCaption,       // an upper-case keyword changes or cuts the line
    CaptionCut,             // a space shortly before a keyword or tag cuts a caption
    ItemDoesNothing,        // MENUITEM text empty, without ';' or starting with ';'
    OutsideTitle,           // before the first TITLE or after TITLE "END": never shown
    UnbalancedSubmenu,      // SUBMENU "END" with none open, TITLE inside a submenu
    BreakLost,              // BREAK on a normalised line with another keyword
    LineTooLong,            // a normalised line over 399 characters, read in pieces
    CommandTooLarge,        // command identifier above 65,535
    EntriesShareLine,       // no break before an entry (CR alone, tab, <br>, HTML): read as one line
    KeywordInProse,         // an upper-case keyword in the page's own text makes a definition line
    CommentedOut,           // a definition inside <!-- -->: hidden in the browser, read by the plug-in
    NearMissEnd,            // "End", "END ", "end": opens a menu instead of closing one
    KeywordCase,            // "MenuItem", "Title": ignored by the plug-in
    AfterCtrlZ,             // definition lines after a Ctrl-Z, which ends the reading
    EmptyName,              // TITLE "" or a bare TITLE, SUBMENU ""
    MenuText,               // '&' underlines the next letter, a tab right-aligns
    Utf8Caption,            // UTF-8 shown in the ANSI code page
    BreakMovesOn,           // BREAK right before SUBMENU "END" or a TITLE
    MenuTooDeep,            // a SUBMENU past the deepest menu level the plug-in opens
};

// A short name for the kind ("no-embed", "caption-cut", ...).
const char* ProblemKindName(ProblemKind kind);

struct Problem {
    ProblemKind kind = ProblemKind::NoEmbed;
    int line = 0;  // 1-based physical line of the page
    size_t lineIndex = kNoLine;  // the DefinitionLine at that place, if any
    std::string message;  // what the plug-in will do, and how to write it instead
};

enum class ReadStatus : int32_t {
    Read,              // the page was read; `page`, `menus`, `problems` are filled
    CannotRead,        // the file could not be opened or read (`error` says why)
    NotDefinitionPage, // too large, binary, or no lower-case embed; problems still filled
};

struct PageReading {
    ReadStatus status = ReadStatus::Read;
    std::string error;  // plain words for a status other than Read
    DefinitionPage page;
    std::vector<MenuEntry> menus;
    std::vector<Problem> problems;  // in line order
};

// Reads a page from its bytes or from a file. A page without a lower-case
// embed gives NotDefinitionPage with the NoEmbed problem; bytes holding NUL
// characters or more than kMaxPageBytes give NotDefinitionPage without
// problems.
PageReading ReadPageBytes(std::string_view bytes);
PageReading ReadPageFile(const std::string& path);

// The page's text as it would be saved. For a page that was read: its own
// bytes, where only the entries of changed lines are written anew, those of
// removed lines are taken out (with their physical line when nothing else is
// on it), and added lines go on lines of their own beside their neighbours,
// with their line ends. For a new page: the preamble (with a CR LF added if
// it does not end a line), each line followed by CR LF, and the trailer.
// `starts`, when given, receives the offset in the text of each line's entry.
std::string ComposePage(const DefinitionPage& page, std::vector<size_t>* starts = nullptr);

// Puts `preamble` in place of the page's preamble, in its bytes too (Save As
// names the new file in the embed tag).
void ReplacePreamble(DefinitionPage& page, const std::string& preamble);

// The text of one line as it is written ("MENUITEM \"caption;address\""),
// without the line end.
std::string ComposeLine(const DefinitionLine& line);

// Reads the composed text of an edited page again: menus and problems as the
// plug-in will see the page once it is saved. Lines and problems carry
// indices into `page.lines`.
PageReading ReadEditedPage(const DefinitionPage& page);

// Replaces the definition entries of `menus` with those the plug-in builds
// from the page as it would be saved (ReadDefinition, TransferTo), ready for
// the plug-in's InstallMenus. False, with no entries, when the text could not
// be read.
bool LoadPluginEntries(const DefinitionPage& page, CBarMenuData& menus);
// The same from the entries of a reading of the page (ReadEditedPage), which
// are the plug-in's own: no second reading.
void LoadPluginEntries(const std::vector<MenuEntry>& entries, CBarMenuData& menus);

// The result of checking a page before it is written.
struct SaveCheck {
    bool storable = true;
    std::string bytes;  // the text to write, when storable
    // When not storable: the first line whose reading differs, the field
    // that cannot be stored as it stands ("caption" or "address"), its text,
    // the nearest text that can be stored, and a message in plain words.
    size_t lineIndex = kNoLine;
    std::string field;
    std::string text;
    std::string suggestion;
    std::string message;
};

// Composes the page and reads the text back with the plug-in's parser; when
// that reading differs from `page.lines` in any entry, the result is not
// storable and names the first caption (or address) that cannot be stored.
SaveCheck CheckSave(const DefinitionPage& page);

// The nearest text to `text` that stores unchanged in a line of `kind` in the
// field `field` ("caption" or "address"): keywords written in lower case,
// spaces before keywords and tags dropped, and so on. `text` itself when it
// stores as it is.
std::string NearestStorable(LineKind kind, std::string_view field, std::string_view text);

// Writes `bytes` to `path` in one step, keeping the file's identity (on
// Windows, ReplaceFileText), with the previous text first kept as PATH.bak
// when `keepBackup`. On failure the file at `path` is as it was, no scratch
// file remains, and `error` says what failed.
bool ReplacePageFile(const std::string& path, std::string_view bytes, bool keepBackup, std::string& error);

// True when the file exists and is marked read-only (the editor then offers
// Save As).
bool IsReadOnlyFile(const std::string& path);

struct SaveOptions {
    bool keepBackup = true;
    // The bytes the file held when the page was read from it; when the file
    // holds other bytes now, nothing is written (changedOnDisk). Null: no check.
    const std::string* expected = nullptr;
};

struct SaveOutcome {
    bool saved = false;
    bool changedOnDisk = false;  // the file changed since it was read
    SaveCheck check;     // why not, when the page is not storable
    std::string error;   // why not, when writing failed
    bool readOnly = false;  // writing failed because the file is read-only
};

// CheckSave, then ReplacePageFile when storable. Nothing is written when the
// page is not storable, or when the file changed on disk since it was read.
SaveOutcome SavePage(const DefinitionPage& page, const std::string& path, const SaveOptions& options = {});

// The checker's output for one file: one "FILE:LINE: warning: MESSAGE" line
// per problem.
std::string FormatProblems(std::string_view fileName, const std::vector<Problem>& problems);

// The menus as zbcheck --menus prints them: titles, submenus, items with
// their command identifiers and addresses, separators and column breaks,
// indented by the menu each lands in, entries that never show marked with the reason.
std::string FormatMenus(const std::vector<MenuEntry>& menus);

}  // namespace zorbit

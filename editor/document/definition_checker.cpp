// The checker: the places where a page's text and the plug-in's reading of
// it part ways without a word, each at the physical line where it happens.
// Each Check* step looks for one kind of trap; a step that finds the cause
// of what happens on a line marks it, so later steps do not report the
// consequence again.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/page_trace.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/menu_nesting.h"

namespace zorbit::detail {

namespace {

// In the order the parser tries them; the first that occurs decides a line.
constexpr std::string_view kKeywords[] = {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"};
// What can stand in a normalisation window and start a new line (named in
// messages only; the breaks themselves come from the plug-in's own steps).
constexpr std::string_view kMarkers[] = {
    "MENUITEM", "SEPARATOR", "SUBMENU", "TITLE",   "</body>", "<body>",
    "</html>",  "<html>",    "<title>", "</title>", "</p>",    "<meta",
};
constexpr uint32_t kLargestCommand = 65535;

std::string_view MarkerIn(std::string_view window, size_t* at = nullptr) {
    for (size_t i = 0; i < window.size(); ++i) {
        for (std::string_view marker : kMarkers) {
            if (window.substr(i, marker.size()) == marker) {
                if (at)
                    *at = i;
                return marker;
            }
        }
    }
    return {};
}

std::string Quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

// ASCII only: the page is in an 8-bit code page the locale knows nothing of,
// and the whole page is lowered for each keystroke in the editor.
std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool HasKeyword(std::string_view text) {
    for (std::string_view keyword : kKeywords) {
        if (text.find(keyword) != std::string_view::npos)
            return true;
    }
    return false;
}

// Whether the keyword at `at` of `text` is written as a definition line is:
// a word of its own, and for the three with a text, a double quote after it.
bool EntryShaped(std::string_view text, size_t at, std::string_view keyword) {
    if (at > 0 && IsWordChar(text[at - 1]))
        return false;
    size_t after = at + keyword.size();
    if (after < text.size() && IsWordChar(text[after]))
        return false;
    if (keyword == "SEPARATOR" || keyword == "BREAK")
        return true;
    while (after < text.size() && (text[after] == ' ' || text[after] == '\t'))
        ++after;
    return after < text.size() && text[after] == '"';
}

// The text without its tags and spaces.
std::string Shown(std::string_view text) {
    std::string shown;
    bool inTag = false;
    for (char c : text) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag && !IsSpace(c))
            shown += c;
    }
    return shown;
}

// The text as the browser's menus show it in the ANSI code page
// (Windows-1252), written out in UTF-8.
std::string AsAnsi(std::string_view text) {
    static const char16_t k80[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                     0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string out;
    for (unsigned char c : text) {
        const unsigned code = c < 0x80 ? c : c < 0xA0 ? k80[c - 0x80] : c;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// True when the text holds UTF-8 sequences of two bytes or more, and no byte
// that UTF-8 would not have there.
bool IsUtf8(std::string_view text) {
    bool multi = false;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        }
        multi = multi || length > 1;
        i += length;
    }
    return multi;
}

// What the menu shows of a caption: '&' underlines the letter after it and
// is not shown; "&&" shows one ampersand.
std::string MenuShows(std::string_view caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == '&')
            continue;
        shown += caption[i];
    }
    return shown;
}

class Checker {
public:
    Checker(const PageTrace& trace, const std::vector<MenuEntry>& menus) : trace_(trace), menus_(menus) {}

    std::vector<Problem> Run() {
        if (!trace_.HasEmbed()) {
            CheckNoEmbed();
            return std::move(problems_);
        }
        // Causes first: each marks the lines whose later trouble it explains.
        CheckJoinedLines();
        CheckEmbedLine();
        CheckCaptions();
        CheckProse();
        CheckLines();
        CheckNesting();
        CheckHidden();
        CheckCommands();
        CheckComments();
        CheckKeywordCase();
        CheckCtrlZ();
        CheckDepth();
        std::stable_sort(problems_.begin(), problems_.end(),
                         [](const Problem& a, const Problem& b) { return a.line < b.line; });
        return std::move(problems_);
    }

private:
    void Add(ProblemKind kind, int line, size_t lineIndex, std::string message) {
        problems_.push_back({kind, line, lineIndex, std::move(message)});
    }

    // A line whose trouble has been explained by its cause.
    void Explain(int line) { explained_.insert(line); }
    bool Explained(int line) const { return explained_.count(line) != 0; }

    size_t OrdinalOf(size_t traceIndex) const {
        const auto& defs = trace_.definitionLines;
        const auto found = std::lower_bound(defs.begin(), defs.end(), traceIndex);
        return found != defs.end() && *found == traceIndex ? static_cast<size_t>(found - defs.begin()) : kNoLine;
    }

    const TracedLine& Definition(size_t k) const { return trace_.lines[trace_.definitionLines[k]]; }

    // Page offset and physical line of character `at` of a traced line.
    size_t OffsetOf(const TracedLine& line, size_t at) const { return trace_.PageOffset(line.workBegin + at); }
    int LineAt(const TracedLine& line, size_t at) const { return trace_.LineOf(OffsetOf(line, at)); }

    void CheckNoEmbed() {
        const std::string lower = Lower(std::string_view(trace_.text).substr(0, trace_.readEnd));
        size_t at = lower.find("<embed");
        if (at != std::string::npos)
            ++at;
        else
            at = lower.find("embed");
        if (at == std::string::npos) {
            Add(ProblemKind::NoEmbed, 1, kNoLine,
                "there is no line with a lower-case \"embed\" tag, so the plug-in reads no menus from this page; "
                "put the definition after an <embed ...> tag");
            return;
        }
        const std::string written = trace_.text.substr(at, 5);
        if (written == "embed") {
            Add(ProblemKind::NoEmbed, trace_.LineOf(at), kNoLine,
                "the embed tag's line is longer than 399 characters, and the plug-in reads it in pieces of which "
                "none holds the whole \"embed\", so it reads no menus from this page; break the line before the tag");
            return;
        }
        Add(ProblemKind::NoEmbed, trace_.LineOf(at), kNoLine,
            "the embed tag is written " + Quote(written) + ", and only a lower-case \"embed\" ends the page's "
            "own text, so the plug-in reads no menus from this page; write it as <embed ...>");
    }

    // Entries the plug-in reads as one line because nothing it takes for a
    // line start stands before the second: a CR alone, a tab, <br>, a
    // non-breaking space, or HTML right before the keyword.
    void CheckJoinedLines() {
        for (size_t i = trace_.embedLine; i < trace_.lines.size(); ++i) {
            const TracedLine& line = trace_.lines[i];
            if (i != trace_.embedLine && line.keyword.empty())
                continue;
            const bool embed = i == trace_.embedLine;
            const std::string_view text = line.text;
            const size_t open = text.find('"');
            const size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
            // The first entry of the line is its own; later ones are joined.
            size_t from = embed ? 0 : (close == std::string_view::npos ? text.size() : close + 1);
            if (!embed && close == std::string_view::npos)
                continue;
            size_t best = std::string_view::npos;
            std::string_view joined;
            for (std::string_view keyword : kKeywords) {
                for (size_t at = text.find(keyword, from); at != std::string_view::npos;
                     at = text.find(keyword, at + 1)) {
                    if (at < best && EntryShaped(text, at, keyword) && !(embed && InsideQuotes(text, at))) {
                        best = at;
                        joined = keyword;
                        break;
                    }
                }
            }
            if (best == std::string_view::npos)
                continue;
            const std::string cause = JoinCause(text.substr(0, best));
            // After a space: BREAK, which the BREAK check names; on the embed
            // line only a CR alone hides the line end.
            if (cause.empty() || (embed && cause != "a CR alone"))
                continue;
            const int at = LineAt(line, best);
            Explain(line.physicalLine);
            Explain(at);
            if (embed) {
                Add(ProblemKind::EntriesShareLine, at, kNoLine,
                    "the line before ends with " + cause + ", which the plug-in does not take for a line end, so it "
                    "reads this " + std::string(joined) + " as part of the embed tag's line and drops it; save the "
                    "page with CR LF or LF line ends");
                continue;
            }
            Add(ProblemKind::EntriesShareLine, at, OrdinalOf(i),
                "this " + std::string(joined) + " follows " + cause + ", which does not start a line for the "
                "plug-in, so it reads it as part of the " + std::string(line.keyword) + " line before, with the "
                "text " + Quote(line.quoted) + ", and the " + std::string(joined) + " is lost; start it on a line "
                "of its own");
        }
    }

    static bool InsideQuotes(std::string_view text, size_t at) {
        bool inside = false;
        for (size_t i = 0; i < at; ++i)
            inside = inside != (text[i] == '"');
        return inside;
    }

    static bool EndsWith(std::string_view text, std::string_view end) {
        return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
    }

    // What stands before a joined keyword, in words; empty for a space.
    static std::string JoinCause(std::string_view before) {
        const size_t cr = before.rfind('\r');
        if (cr != std::string_view::npos && before.find_first_not_of(" \t", cr + 1) == std::string_view::npos)
            return "a CR alone";
        const std::string lower = Lower(before);
        const size_t end = lower.find_last_not_of(" \t");
        if (end == std::string::npos || end + 1 < before.size()) {
            if (!before.empty() && before.back() == '\t')
                return "a tab";
            return std::string();
        }
        const std::string_view tail = std::string_view(lower).substr(0, end + 1);
        if (EndsWith(tail, "<br>") || EndsWith(tail, "<br/>"))
            return "<br>";
        if (EndsWith(tail, "&nbsp;"))
            return "&nbsp;";
        if (static_cast<unsigned char>(tail.back()) == 0xA0)
            return "a non-breaking space";
        return "HTML with no space after it";
    }

    // Keywords on the embed tag's line go with it: the parser drops that
    // line and everything before it. Keywords in its attributes' quotes are
    // names, not definitions.
    void CheckEmbedLine() {
        const TracedLine& embed = trace_.lines[trace_.embedLine];
        for (size_t i = 0; i <= trace_.embedLine; ++i) {
            const TracedLine& line = trace_.lines[i];
            if (line.physicalLine != embed.physicalLine || line.keyword.empty() || Explained(line.physicalLine))
                continue;
            for (std::string_view keyword : kKeywords) {
                const size_t at = line.text.find(keyword);
                if (at == std::string_view::npos || InsideQuotes(line.text, at))
                    continue;
                Add(ProblemKind::DefinitionOnEmbedLine, line.physicalLine, kNoLine,
                    "the " + std::string(keyword) + " line shares its line with the embed tag, and the plug-in drops "
                    "that line with the page's own text; start the definition on the line after the embed tag");
                break;
            }
        }
    }

    // Captions of each line the plug-in reads, by its first and last
    // double quote: a keyword inside that decides the line's kind, and a
    // caption that normalisation cut before its closing quote.
    void CheckCaptions() {
        for (size_t k = 0; k < trace_.definitionLines.size(); ++k) {
            const size_t index = trace_.definitionLines[k];
            const TracedLine& line = trace_.lines[index];
            if (Explained(line.physicalLine))
                continue;
            const std::string_view text = line.text;
            const size_t open = text.find('"');
            const size_t close = text.rfind('"');
            if (open == std::string_view::npos)
                continue;
            if (open != close) {
                const size_t at = text.find(line.keyword);
                if (at > open && at < close) {
                    const std::string_view owner = OwnerKeyword(text.substr(0, open));
                    Explain(line.physicalLine);
                    Add(ProblemKind::KeywordInCaption, line.physicalLine, k,
                        "the caption " + Quote(line.quoted) + " holds the keyword " + std::string(line.keyword) +
                            " in upper case, which makes this " + (owner.empty() ? "line" : std::string(owner)) +
                            " a " + std::string(line.keyword) + " line; write it in lower case (" +
                            Quote(NearestStorable(LineKind::Title, "caption", line.quoted)) + ")");
                }
                continue;
            }
            // One double quote: cut when normalisation broke the line after it.
            if (index + 1 >= trace_.lines.size() || trace_.lines[index + 1].insertedLead == 0)
                continue;
            const size_t quoteAt = OffsetOf(line, open);
            const size_t closing = trace_.text.find('"', quoteAt + 1);
            const size_t captionEnd = std::min(closing, trace_.readEnd);
            const std::string_view caption =
                std::string_view(trace_.text).substr(quoteAt + 1, captionEnd - quoteAt - 1);
            const size_t cut = trace_.lines[index + 1].begin;
            size_t markerAt = 0;
            const std::string_view marker =
                MarkerIn(std::string_view(trace_.text).substr(cut, kMarkerWindowChars), &markerAt);
            Explain(line.physicalLine);
            if (!marker.empty() && marker[0] != '<' && cut + markerAt < captionEnd) {
                Add(ProblemKind::KeywordInCaption, line.physicalLine, k,
                    "the caption " + Quote(caption) + " holds the keyword " + std::string(marker) +
                        " in upper case, which cuts the line there; write it in lower case (" +
                        Quote(NearestStorable(LineKind::Title, "caption", caption)) + ")");
                continue;
            }
            Add(ProblemKind::CaptionCut, line.physicalLine, k,
                "the caption " + Quote(caption) + " is cut at a space that is followed within nine characters by " +
                    Quote(marker) + ", so the plug-in reads this " + std::string(line.keyword) +
                    " with an empty caption; put what follows on a line of its own");
        }
    }

    // The last keyword before a caption: the line it was written as.
    static std::string_view OwnerKeyword(std::string_view before) {
        size_t best = std::string_view::npos;
        std::string_view owner;
        for (std::string_view keyword : kKeywords) {
            const size_t at = before.rfind(keyword);
            if (at != std::string_view::npos && (best == std::string_view::npos || at > best)) {
                best = at;
                owner = keyword;
            }
        }
        return owner;
    }

    // Upper-case keywords in the page's own words ("<h2>TITLE LIST</h2>",
    // "Our SEPARATOR policy") make definition lines too.
    void CheckProse() {
        for (size_t k = 0; k < trace_.definitionLines.size(); ++k) {
            const TracedLine& line = Definition(k);
            if (Explained(line.physicalLine))
                continue;
            const std::string_view text = line.text;
            const size_t at = text.find(line.keyword);
            const size_t open = text.find('"');
            if (open != std::string_view::npos && open < at)
                continue;  // inside a caption: the caption check's
            // A bare keyword alone on its line is an entry written short.
            const bool alone = Shown(text) == line.keyword;
            bool prose = !alone && !EntryShaped(text, at, line.keyword);
            if (!prose && (line.keyword == "SEPARATOR" || line.keyword == "BREAK"))
                prose = !alone;
            if (!prose)
                continue;
            Explain(line.physicalLine);
            Add(ProblemKind::KeywordInProse, line.physicalLine, k,
                "the upper-case word " + std::string(line.keyword) + " in the page's text is read as a " +
                    std::string(line.keyword) + " line, which adds an entry to the menus; write the word in lower "
                    "case, or put it before the embed tag");
        }
    }

    void CheckLines() {
        for (size_t k = 0; k < trace_.definitionLines.size(); ++k) {
            const size_t index = trace_.definitionLines[k];
            const TracedLine& line = trace_.lines[index];
            const bool explained = Explained(line.physicalLine);
            if (line.keyword == "MENUITEM" && !explained && line.normalisedLength <= kLineChars)
                CheckItem(line, k);
            if ((line.keyword == "TITLE" || line.keyword == "SUBMENU") && !explained)
                CheckMenuName(line, k);
            if (line.keyword != "BREAK" && OutsideQuotes(line.text).find("BREAK") != std::string::npos) {
                Add(ProblemKind::BreakLost, line.physicalLine, k,
                    "this BREAK follows a " + std::string(line.keyword) +
                        " on the same line, so the plug-in reads only the " + std::string(line.keyword) +
                        " and the column break is lost; start BREAK on a line of its own");
            }
            if (line.keyword == "BREAK" && k + 1 < trace_.definitionLines.size()) {
                const TracedLine& next = Definition(k + 1);
                const bool closes = next.keyword == "SUBMENU" && next.quoted == "END";
                if (closes || next.keyword == "TITLE") {
                    Add(ProblemKind::BreakMovesOn, line.physicalLine, k,
                        "this BREAK comes right before " + std::string(next.keyword) +
                            (closes ? " \"END\"" : "") + ", so its column starts at the next entry, in " +
                            (closes ? "the menu around the submenu" : "the next menu") +
                            "; put BREAK before the entry that is to start a column");
                }
            }
        }
        // Long lines anywhere after the embed tag that hold a keyword.
        for (size_t i = trace_.embedLine + 1; i < trace_.lines.size(); ++i) {
            const TracedLine& line = trace_.lines[i];
            if (!line.firstPiece || line.normalisedLength <= kLineChars)
                continue;
            bool keyword = false;
            for (size_t j = i; j < trace_.lines.size() && (j == i || !trace_.lines[j].firstPiece); ++j)
                keyword = keyword || !trace_.lines[j].keyword.empty();
            if (!keyword)
                continue;
            Add(ProblemKind::LineTooLong, line.physicalLine, OrdinalOf(i),
                "this line is " + std::to_string(line.normalisedLength) + " characters long, and the plug-in reads "
                "it in pieces of 399, each as a line of its own; break it into shorter lines");
        }
    }

    void CheckItem(const TracedLine& line, size_t k) {
        const std::string_view quoted = line.quoted;
        const size_t semicolon = quoted.find(';');
        if (semicolon == std::string_view::npos || semicolon == 0) {
            Add(ProblemKind::ItemDoesNothing, line.physicalLine, k,
                quoted.empty()  ? "this MENUITEM has no text between double quotes, so the plug-in adds an item that does nothing; write MENUITEM \"caption;address\""
                : semicolon == 0 ? "the text of this MENUITEM begins with a semicolon, so the plug-in adds an item without caption that does nothing; write the caption before the semicolon"
                                 : "the text " + Quote(quoted) + " of this MENUITEM has no semicolon, so the plug-in adds an item without caption that does nothing; write " + Quote(std::string(quoted) + ";address"));
            return;
        }
        if (semicolon + 1 == quoted.size()) {
            Add(ProblemKind::ItemDoesNothing, line.physicalLine, k,
                "this MENUITEM has no address after its semicolon, so choosing it does nothing; write the address "
                "after the semicolon");
        }
        const size_t second = quoted.find('"');
        if (second != std::string_view::npos && quoted.find_first_of("<>=", second) != std::string_view::npos &&
            quoted.find('"', second + 1) != std::string_view::npos) {
            Add(ProblemKind::EntriesShareLine, line.physicalLine, k,
                "the HTML after this MENUITEM holds double quotes, and the plug-in takes the text up to the line's "
                "last one, so the address becomes " + Quote(quoted.substr(semicolon + 1)) + "; put the HTML on a "
                "line of its own");
            return;
        }
        CheckCaptionText(line, quoted.substr(0, semicolon), k);
    }

    void CheckMenuName(const TracedLine& line, size_t k) {
        const std::string_view name = line.quoted;
        if (name == "END")
            return;
        std::string trimmed = Lower(name);
        trimmed.erase(0, trimmed.find_first_not_of(" \t"));
        trimmed.erase(trimmed.find_last_not_of(" \t") + 1);
        if (trimmed == "end") {
            Add(ProblemKind::NearMissEnd, line.physicalLine, k,
                "only " + std::string(line.keyword) + " \"END\" exactly closes a menu, so " +
                    std::string(line.keyword) + " " + Quote(name) + " opens a new " +
                    (line.keyword == "TITLE" ? "menu" : "submenu") + " captioned " + Quote(name) +
                    " instead; write " + std::string(line.keyword) + " \"END\"");
            return;
        }
        if (name.empty()) {
            Add(ProblemKind::EmptyName, line.physicalLine, k,
                "this " + std::string(line.keyword) + " has no caption, so the plug-in adds a " +
                    (line.keyword == "TITLE" ? "menu" : "submenu") + " with an empty caption; write " +
                    std::string(line.keyword) + " \"caption\"");
            return;
        }
        CheckCaptionText(line, name, k);
    }

    // Menu text rules and the page's character set, for a caption the
    // plug-in reads as written.
    void CheckCaptionText(const TracedLine& line, std::string_view caption, size_t k) {
        if (caption.find('&') != std::string_view::npos && MenuShows(caption) != caption) {
            std::string doubled;
            for (char c : caption)
                doubled += c == '&' ? std::string("&&") : std::string(1, c);
            Add(ProblemKind::MenuText, line.physicalLine, k,
                "the menu shows the caption " + Quote(caption) + " as " + Quote(MenuShows(caption)) +
                    ", with the letter after each '&' underlined; write " + Quote(doubled) + " for an ampersand");
        } else if (caption.find('\t') != std::string_view::npos) {
            Add(ProblemKind::MenuText, line.physicalLine, k,
                "the caption " + Quote(caption) + " holds a tab, and the menu shows the text after it at the right "
                "edge; write a space instead");
        }
        if (IsUtf8(caption)) {
            Add(ProblemKind::Utf8Caption, line.physicalLine, k,
                "the caption " + Quote(caption) + " is written in UTF-8, and the browser's menus show it in the "
                "ANSI code page as " + Quote(AsAnsi(caption)) + "; save the page as Windows-1252 (ANSI) text");
        }
    }

    static std::string OutsideQuotes(std::string_view text) {
        const size_t first = text.find('"');
        const size_t last = text.rfind('"');
        if (first == std::string_view::npos || first == last)
            return std::string(text);
        return std::string(text.substr(0, first)) + std::string(text.substr(last + 1));
    }

    // The nesting count as BuildEntries keeps it.
    void CheckNesting() {
        int count = 0;
        int openSubmenus = 0;
        std::string lastSubmenu;
        for (size_t k = 0; k < trace_.definitionLines.size(); ++k) {
            const TracedLine& line = Definition(k);
            const bool end = line.quoted == "END";
            if (line.keyword == "SUBMENU" && end) {
                --count;
                if (openSubmenus > 0) {
                    --openSubmenus;
                } else if (count == 0) {
                    Add(ProblemKind::UnbalancedSubmenu, line.physicalLine, k,
                        "this SUBMENU \"END\" closes no submenu, so the plug-in closes the title menu instead and "
                        "the entries after it are not shown in it; remove this line");
                } else if (count < 0) {
                    Add(ProblemKind::UnbalancedSubmenu, line.physicalLine, k,
                        "this SUBMENU \"END\" comes when no menu is open, and the plug-in counts it all the same, so "
                        "the entries of the next TITLE are not shown in its menu either; remove this line");
                }
            } else if (line.keyword == "SUBMENU") {
                // A submenu that a cut caption made is reported where it was cut.
                if (Explained(line.physicalLine))
                    continue;
                ++count;
                ++openSubmenus;
                lastSubmenu = std::string(line.quoted);
            } else if (line.keyword == "TITLE" && !end) {
                if (openSubmenus > 0) {
                    Add(ProblemKind::UnbalancedSubmenu, line.physicalLine, k,
                        "this TITLE comes while the submenu " + Quote(lastSubmenu) + " is still open, so the plug-in "
                        "puts the entries after it one level too deep; add SUBMENU \"END\" before it");
                }
                ++count;
                openSubmenus = 0;
            } else if (line.keyword == "TITLE") {
                count = 0;
                openSubmenus = 0;
            }
        }
    }

    // One warning for each run of entries that never show.
    void CheckHidden() {
        bool inRun = false;
        for (const MenuEntry& entry : menus_) {
            const bool outside = !entry.shown;
            if (outside && !inRun && !Explained(entry.sourceLine)) {
                const bool full = entry.hiddenReason == kLeftOutOfAFullMenu;
                Add(ProblemKind::OutsideTitle, entry.sourceLine, entry.lineIndex,
                    "this entry " + entry.hiddenReason +
                        (full ? "; split the menu in submenus" : "; put it after a TITLE line"));
            }
            inRun = outside;
        }
    }

    void CheckCommands() {
        for (const MenuEntry& entry : menus_) {
            // An entry left out of a full menu cannot be highlighted at all.
            if (entry.kind != Item || !entry.shown ||
                DefinitionCommand(static_cast<uint32_t>(entry.index)) <= kLargestCommand)
                continue;
            Add(ProblemKind::CommandTooLarge, entry.sourceLine, entry.lineIndex,
                "this is definition entry " + std::to_string(entry.index) + ", and its command identifier " +
                    std::to_string(DefinitionCommand(static_cast<uint32_t>(entry.index))) +
                    " is above 65535, so highlighting it shows another entry's address; split the definition "
                    "over several pages");
            return;
        }
    }

    // Definitions inside HTML comments: the browser hides them, the plug-in
    // reads them.
    void CheckComments() {
        const std::string_view text(trace_.text.data(), trace_.readEnd);
        size_t k = 0;
        for (size_t open = text.find("<!--"); open != std::string_view::npos; open = text.find("<!--", open + 4)) {
            size_t close = text.find("-->", open + 4);
            close = close == std::string_view::npos ? text.size() : close;
            int lastLine = 0;
            for (; k < trace_.definitionLines.size(); ++k) {
                const TracedLine& line = Definition(k);
                const size_t at = OffsetOf(line, line.text.find(line.keyword));
                if (at >= close)
                    break;
                if (at < open || line.physicalLine == lastLine)
                    continue;
                lastLine = line.physicalLine;
                Add(ProblemKind::CommentedOut, line.physicalLine, k,
                    "this " + std::string(line.keyword) + " is inside an HTML comment, which hides it in the "
                    "browser, but the plug-in reads it all the same; delete it, or write its keyword in lower case "
                    "to keep it as a note");
            }
            open = close;
        }
    }

    // Keywords in another case: the plug-in ignores them.
    void CheckKeywordCase() {
        const TracedLine& embed = trace_.lines[trace_.embedLine];
        const size_t from = embed.end;
        const std::string lower = Lower(std::string_view(trace_.text).substr(from, trace_.readEnd - from));
        const std::string_view text = std::string_view(trace_.text).substr(from, lower.size());
        std::set<int> reported;
        for (std::string_view keyword : kKeywords) {
            const std::string wanted = Lower(keyword);
            for (size_t at = lower.find(wanted); at != std::string::npos; at = lower.find(wanted, at + 1)) {
                const std::string_view written = text.substr(at, keyword.size());
                if (written == keyword || !EntryShaped(text, at, keyword) || InCaption(from + at))
                    continue;
                const int line = trace_.LineOf(from + at);
                if ((keyword == "SEPARATOR" || keyword == "BREAK") && Shown(PhysicalLine(line)) != written)
                    continue;
                if (!reported.insert(line).second)
                    continue;
                Add(ProblemKind::KeywordCase, line, kNoLine,
                    Quote(written) + " is not read as a " + std::string(keyword) + " line: the plug-in knows its "
                    "keywords in upper case only, so this entry is missing from the menus; write " +
                    std::string(keyword));
            }
        }
    }

    // Whether a page offset lies between the double quotes of a definition line.
    bool InCaption(size_t offset) const {
        const auto& defs = trace_.definitionLines;
        const auto after = std::upper_bound(defs.begin(), defs.end(), offset, [&](size_t value, size_t index) {
            return value < trace_.lines[index].begin;
        });
        if (after == defs.begin())
            return false;
        const TracedLine& line = trace_.lines[*(after - 1)];
        const size_t open = line.text.find('"');
        const size_t close = line.text.rfind('"');
        return open != std::string_view::npos && open != close && offset > OffsetOf(line, open) &&
               offset < OffsetOf(line, close);
    }

    std::string_view PhysicalLine(int line) const {
        const size_t begin = trace_.lineStarts[static_cast<size_t>(line - 1)];
        const size_t end = static_cast<size_t>(line) < trace_.lineStarts.size()
                               ? trace_.lineStarts[static_cast<size_t>(line)]
                               : trace_.text.size();
        return std::string_view(trace_.text).substr(begin, end - begin);
    }

    void CheckCtrlZ() {
        if (trace_.readEnd >= trace_.text.size() || !HasKeyword(std::string_view(trace_.text).substr(trace_.readEnd)))
            return;
        Add(ProblemKind::AfterCtrlZ, trace_.LineOf(trace_.readEnd), kNoLine,
            "the page holds a Ctrl-Z character here, and the plug-in stops reading at it, so the definition lines "
            "after it are not in the menus; delete the Ctrl-Z");
    }

    // One warning where a run of submenus passes the deepest level: the
    // submenus nested inside that one are part of the same run.
    void CheckDepth() {
        const std::vector<EntryPlace> places = PlaceEntriesOf(menus_);
        for (size_t j = 0; j < menus_.size(); ++j) {
            const MenuEntry& entry = menus_[j];
            if (entry.kind != Submenu || places[j].opens || entry.depth != places[j].level)
                continue;
            Add(ProblemKind::MenuTooDeep, entry.sourceLine, entry.lineIndex,
                "this SUBMENU would open a menu more than " + std::to_string(kMaxMenuLevels) +
                    " levels deep, so the plug-in shows its caption greyed and puts the entries up to its "
                    "SUBMENU \"END\" after it in the same menu; nest fewer submenus");
        }
    }

    const PageTrace& trace_;
    const std::vector<MenuEntry>& menus_;
    std::vector<Problem> problems_;
    std::set<int> explained_;
};

}  // namespace

std::vector<Problem> CheckTrace(const PageTrace& trace, const std::vector<MenuEntry>& menus) {
    return Checker(trace, menus).Run();
}

}  // namespace zorbit::detail

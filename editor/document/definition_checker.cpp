// The checker: the places where a page's text and the plug-in's reading of
// it part ways without a word, each at the physical line where it happens.
#include <algorithm>
#include <cctype>
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
// messages only; the breaks themselves come from the plug-in's own copy).
constexpr std::string_view kMarkers[] = {
    "MENUITEM", "SEPARATOR", "SUBMENU", "TITLE",   "</body>", "<body>",
    "</html>",  "<html>",    "<title>", "</title>", "</p>",    "<meta",
};
constexpr uint32_t kLargestCommand = 65535;

size_t KeywordOrder(std::string_view keyword) {
    for (size_t i = 0; i < std::size(kKeywords); ++i) {
        if (kKeywords[i] == keyword)
            return i;
    }
    return std::size(kKeywords);
}

std::string_view MarkerIn(std::string_view window) {
    for (size_t at = 0; at < window.size(); ++at) {
        for (std::string_view marker : kMarkers) {
            if (window.substr(at, marker.size()) == marker)
                return marker;
        }
    }
    return {};
}

std::string Quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

class Checker {
public:
    Checker(const PageTrace& trace, const std::vector<MenuEntry>& menus) : trace_(trace), menus_(menus) {}

    std::vector<Problem> Run() {
        if (!trace_.HasEmbed()) {
            CheckNoEmbed();
            return std::move(problems_);
        }
        CheckEmbedLine();
        CheckCaptions();
        CheckLines();
        CheckNesting();
        CheckHidden();
        CheckCommands();
        CheckDepth();
        std::stable_sort(problems_.begin(), problems_.end(),
                         [](const Problem& a, const Problem& b) { return a.line < b.line; });
        return std::move(problems_);
    }

private:
    void Add(ProblemKind kind, int line, size_t lineIndex, std::string message) {
        if (kind == ProblemKind::KeywordInCaption || kind == ProblemKind::CaptionCut)
            captionLines_.insert(line);
        problems_.push_back({kind, line, lineIndex, std::move(message)});
    }

    // Lines whose caption is cut or changed by a keyword: what follows from
    // that on the same line is not reported again.
    bool CaptionProblemAt(int line) const { return captionLines_.count(line) != 0; }

    size_t OrdinalOf(size_t traceIndex) const {
        const auto& defs = trace_.definitionLines;
        const auto found = std::lower_bound(defs.begin(), defs.end(), traceIndex);
        return found != defs.end() && *found == traceIndex ? static_cast<size_t>(found - defs.begin()) : kNoLine;
    }

    std::string_view PhysicalLine(int line) const {
        const size_t begin = trace_.lineStarts[static_cast<size_t>(line - 1)];
        const size_t end = static_cast<size_t>(line) < trace_.lineStarts.size()
                               ? trace_.lineStarts[static_cast<size_t>(line)]
                               : trace_.text.size();
        return std::string_view(trace_.text).substr(begin, end - begin);
    }

    void CheckNoEmbed() {
        const std::string lower = Lower(trace_.text);
        const size_t at = lower.find("embed");
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

    // Keywords on the embed tag's line go with it: the parser drops that
    // line and everything before it.
    void CheckEmbedLine() {
        const TracedLine& embed = trace_.lines[trace_.embedLine];
        for (size_t i = 0; i <= trace_.embedLine; ++i) {
            const TracedLine& line = trace_.lines[i];
            if (line.physicalLine != embed.physicalLine || line.keyword.empty())
                continue;
            Add(ProblemKind::DefinitionOnEmbedLine, line.physicalLine, kNoLine,
                "the " + line.keyword + " line shares its line with the embed tag, and the plug-in drops that "
                "line with the page's own text; start the definition on the line after the embed tag");
        }
    }

    // Captions, by the double quotes of each physical line in pairs, against
    // the breaks the plug-in's normalisation put into that line.
    void CheckCaptions() {
        int lastLine = 0;
        for (size_t index : trace_.definitionLines) {
            const int line = trace_.lines[index].physicalLine;
            if (line == lastLine)
                continue;
            lastLine = line;
            CheckCaptionsOnLine(line, OrdinalOf(index));
        }
    }

    void CheckCaptionsOnLine(int line, size_t ordinal) {
        const std::string_view text = PhysicalLine(line);
        const size_t lineBegin = trace_.lineStarts[static_cast<size_t>(line - 1)];
        std::vector<std::pair<size_t, size_t>> spans;
        for (size_t open = text.find('"'); open != std::string_view::npos;) {
            const size_t close = text.find('"', open + 1);
            if (close == std::string_view::npos)
                break;
            spans.emplace_back(open, close);
            open = text.find('"', close + 1);
        }
        size_t spanStartOfOwner = 0;
        for (const auto& [open, close] : spans) {
            const std::string_view caption = text.substr(open + 1, close - open - 1);
            const std::string_view owner = OwnerKeyword(text.substr(spanStartOfOwner, open - spanStartOfOwner));
            spanStartOfOwner = close + 1;
            const size_t cut = CutInside(lineBegin + open, lineBegin + close);
            std::string_view inside;
            for (std::string_view keyword : kKeywords) {
                if (keyword != "BREAK" && caption.find(keyword) != std::string_view::npos) {
                    inside = keyword;
                    break;
                }
            }
            if (!inside.empty() && (cut != kNoLine || KeywordOrder(inside) < KeywordOrder(owner))) {
                const std::string effect = KeywordOrder(inside) < KeywordOrder(owner)
                                               ? "makes the line a " + std::string(inside) + " line"
                                               : "cuts the line there";
                Add(ProblemKind::KeywordInCaption, line, ordinal,
                    "the caption " + Quote(caption) + " holds the keyword " + std::string(inside) +
                        " in upper case, which " + effect + "; write it in lower case (" +
                        Quote(NearestStorable(LineKind::Title, "caption", caption)) + ")");
                continue;
            }
            if (cut == kNoLine || (owner != "TITLE" && owner != "SUBMENU" && owner != "MENUITEM"))
                continue;
            const std::string_view marker = MarkerIn(std::string_view(trace_.text).substr(cut, kMarkerWindowChars));
            Add(ProblemKind::CaptionCut, line, ordinal,
                "the caption " + Quote(caption) + " is cut at a space that is followed within nine characters by " +
                    Quote(marker) + ", so the plug-in reads this " + std::string(owner) +
                    " with an empty caption; put what follows on a line of its own");
        }
    }

    // The last keyword outside quotes before a caption: the line it belongs to.
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

    // A break the normalisation put at the space before the caption or inside it.
    size_t CutInside(size_t open, size_t close) const {
        const auto& breaks = trace_.insertedBreaks;
        const auto at = std::lower_bound(breaks.begin(), breaks.end(), open == 0 ? 0 : open - 1);
        return at != breaks.end() && *at < close ? *at : kNoLine;
    }

    void CheckLines() {
        for (size_t k = 0; k < trace_.definitionLines.size(); ++k) {
            const size_t index = trace_.definitionLines[k];
            const TracedLine& line = trace_.lines[index];
            if (line.keyword == "MENUITEM") {
                const size_t semicolon = line.quoted.find(';');
                if ((semicolon == std::string::npos || semicolon == 0) && line.normalisedLength <= kLineChars &&
                    !CaptionProblemAt(line.physicalLine)) {
                    Add(ProblemKind::ItemDoesNothing, line.physicalLine, k,
                        line.quoted.empty()   ? "this MENUITEM has no text between double quotes, so the plug-in adds an item that does nothing; write MENUITEM \"caption;address\""
                        : semicolon == 0      ? "the text of this MENUITEM begins with a semicolon, so the plug-in adds an item without caption that does nothing; write the caption before the semicolon"
                                              : "the text " + Quote(line.quoted) + " of this MENUITEM has no semicolon, so the plug-in adds an item without caption that does nothing; write " + Quote(line.quoted + ";address"));
                }
            }
            if (line.keyword != "BREAK" && OutsideQuotes(line.text).find("BREAK") != std::string::npos) {
                Add(ProblemKind::BreakLost, line.physicalLine, k,
                    "this BREAK follows a " + line.keyword + " on the same line, so the plug-in reads only the " +
                        line.keyword + " and the column break is lost; start BREAK on a line of its own");
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

    static std::string OutsideQuotes(const std::string& text) {
        const size_t first = text.find('"');
        const size_t last = text.rfind('"');
        if (first == std::string::npos || first == last)
            return text;
        return text.substr(0, first) + text.substr(last + 1);
    }

    void CheckNesting() {
        int openSubmenus = 0;
        std::string lastSubmenu;
        for (size_t k = 0; k < trace_.definitionLines.size(); ++k) {
            const TracedLine& line = trace_.lines[trace_.definitionLines[k]];
            const bool end = line.quoted == "END";
            if (line.keyword == "SUBMENU" && end) {
                if (openSubmenus == 0) {
                    Add(ProblemKind::UnbalancedSubmenu, line.physicalLine, k,
                        "this SUBMENU \"END\" closes no submenu, so the plug-in closes the title menu instead and "
                        "the entries after it are not shown in it; remove this line");
                } else {
                    --openSubmenus;
                }
            } else if (line.keyword == "SUBMENU") {
                // A submenu that a cut caption made is reported where it was cut.
                if (CaptionProblemAt(line.physicalLine))
                    continue;
                ++openSubmenus;
                lastSubmenu = line.quoted;
            } else if (line.keyword == "TITLE" && !end) {
                if (openSubmenus > 0) {
                    Add(ProblemKind::UnbalancedSubmenu, line.physicalLine, k,
                        "this TITLE comes while the submenu " + Quote(lastSubmenu) + " is still open, so the plug-in "
                        "puts the entries after it one level too deep; add SUBMENU \"END\" before it");
                }
                openSubmenus = 0;
            } else if (line.keyword == "TITLE") {
                openSubmenus = 0;
            }
        }
    }

    // One warning for each run of entries that never show.
    void CheckHidden() {
        bool inRun = false;
        for (const MenuEntry& entry : menus_) {
            const bool outside = !entry.shown;
            if (outside && !inRun) {
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

    // One warning where a run of submenus passes the deepest level: the
    // submenus nested inside that one are part of the same run.
    void CheckDepth() {
        MenuNesting<bool> nesting(false);
        for (const MenuEntry& entry : menus_) {
            nesting.Leave(entry.depth);
            if (entry.kind == Title || (entry.kind == Submenu && nesting.SubmenuFits())) {
                nesting.Open(true);
                continue;
            }
            if (entry.kind != Submenu || entry.depth != nesting.level())
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
    std::set<int> captionLines_;
};

}  // namespace

std::vector<Problem> CheckTrace(const PageTrace& trace, const std::vector<MenuEntry>& menus) {
    return Checker(trace, menus).Run();
}

}  // namespace zorbit::detail

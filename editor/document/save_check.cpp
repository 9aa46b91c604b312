// Saving: the composed text is read back with the plug-in's parser and must
// give the page's lines entry for entry before anything is written.
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/letter_case.h"
#include "editor/document/page_trace.h"
#include "plugin/menus/definition_parser.h"

namespace zorbit {

namespace {

struct ReadBackLine {
    std::string keyword;
    std::string quoted;
    int physicalLine = 0;
};

bool ReadBack(const std::string& bytes, std::vector<ReadBackLine>& lines, bool& hasEmbed) {
    detail::PageTrace trace;
    detail::TracePage(bytes, trace);
    hasEmbed = trace.HasEmbed();
    for (size_t index : trace.definitionLines) {
        const detail::TracedLine& line = trace.lines[index];
        lines.push_back({std::string(line.keyword), std::string(line.quoted), line.physicalLine});
    }
    return true;
}

// The entry the plug-in's BuildEntries makes of one line.
CItemData EntryOf(const ReadBackLine& line) {
    std::vector<CPaseData> one(1);
    one.back().keyword = line.keyword;
    one.back().text = line.quoted;
    CBarMenuData menus;
    menus.BuildEntries(one);
    if (menus.definitionEntries.empty())
        return CItemData();
    const CItemData& entry = *menus.definitionEntries.front();
    return CItemData(entry.name, entry.url, static_cast<EntryKind>(entry.kind), 0);
}

// Empty when the read-back line gives the page's line; else the field that
// does not survive ("caption" or "address").
std::string DifferingField(const DefinitionLine& want, const ReadBackLine& got) {
    const DefinitionLine read = detail::LineFromParsed(got.keyword, got.quoted, 0);
    if (read.kind != want.kind)
        return "caption";
    if (want.kind == LineKind::Title || want.kind == LineKind::Submenu)
        return read.caption == want.caption ? "" : "caption";
    if (want.kind != LineKind::Item)
        return "";
    const CItemData entry = EntryOf(got);
    if (entry.name != want.caption)
        return "caption";
    if (entry.url == want.address)
        return "";
    // An item without caption loses its address too.
    return want.caption.empty() ? "caption" : "address";
}

bool StoresAsIs(LineKind kind, std::string_view field, const std::string& text) {
    DefinitionLine line;
    line.kind = kind;
    if (field == "address") {
        line.caption = "Link";
        line.address = text;
    } else {
        line.caption = text;
        line.address = kind == LineKind::Item ? "link.htm" : "";
    }
    std::vector<ReadBackLine> lines;
    bool hasEmbed = false;
    if (!ReadBack("<embed>\r\n" + ComposeLine(line) + "\r\n", lines, hasEmbed) || lines.size() != 1)
        return false;
    return DifferingField(line, lines.front()).empty();
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace

std::string NearestStorable(LineKind kind, std::string_view field, std::string_view text) {
    std::string candidate(text);
    if (StoresAsIs(kind, field, candidate))
        return candidate;
    // Each step changes as little as it can; the first result that stores wins.
    for (char& c : candidate) {
        if (c == '\r' || c == '\n' || c == 0x1A || c == '\0')
            c = ' ';
    }
    if (StoresAsIs(kind, field, candidate))
        return candidate;
    for (std::string_view keyword : {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"})
        ReplaceAll(candidate, keyword, LowerCase(keyword));
    if (StoresAsIs(kind, field, candidate))
        return candidate;
    for (std::string_view tag : {"</body>", "<body>", "</html>", "<html>", "<title>", "</title>", "</p>", "<meta"})
        ReplaceAll(candidate, tag, UpperCase(tag));
    if (StoresAsIs(kind, field, candidate))
        return candidate;
    if (kind == LineKind::Item && field == "caption") {
        ReplaceAll(candidate, ";", ",");
        if (candidate.empty())
            candidate = "Link";
    }
    if ((kind == LineKind::Title || kind == LineKind::Submenu) && candidate == "END")
        candidate = "End";
    if (StoresAsIs(kind, field, candidate))
        return candidate;
    // Too long for one line of the parser: shorten it.
    while (!candidate.empty() && !StoresAsIs(kind, field, candidate))
        candidate.resize(candidate.size() > kLineChars ? kLineChars - 32 : candidate.size() - 1);
    return candidate;
}

SaveCheck CheckSave(const DefinitionPage& page) {
    SaveCheck check;
    check.bytes = ComposePage(page);
    if (!page.originalBytes.empty() && page.lines == page.originalLines)
        return check;

    std::vector<ReadBackLine> lines;
    bool hasEmbed = false;
    if (!ReadBack(check.bytes, lines, hasEmbed) || !hasEmbed) {
        check.storable = false;
        check.message = hasEmbed ? "The page cannot be read back, so it is not saved."
                                 : "The page has no lower-case embed tag, so the plug-in would read no menus from it; "
                                   "it is not saved.";
        check.bytes.clear();
        return check;
    }
    const size_t common = std::min(lines.size(), page.lines.size());
    size_t differs = kNoLine;
    std::string field;
    for (size_t i = 0; i < common && differs == kNoLine; ++i) {
        field = DifferingField(page.lines[i], lines[i]);
        if (!field.empty())
            differs = i;
    }
    if (differs == kNoLine && lines.size() == page.lines.size())
        return check;
    if (differs == kNoLine && page.lines.empty()) {
        check.storable = false;
        check.bytes.clear();
        check.message = "The page's own text holds definition lines that the plug-in would read as menus; "
                        "nothing was written.";
        return check;
    }
    if (differs == kNoLine) {
        differs = common < page.lines.size() ? common : page.lines.size() - 1;
        field = "caption";
    }

    const DefinitionLine& line = page.lines[differs];
    const int lineNumber = differs < lines.size() ? lines[differs].physicalLine : 0;
    // Which of an item's two fields turns the line into another one.
    if (line.kind == LineKind::Item && field == "caption" && StoresAsIs(line.kind, "caption", line.caption) &&
        !StoresAsIs(line.kind, "address", line.address))
        field = "address";
    check.storable = false;
    check.bytes.clear();
    check.lineIndex = differs;
    check.field = field;
    check.text = field == "address" ? line.address : line.caption;
    check.suggestion = NearestStorable(line.kind, field, check.text);
    if (line.kind == LineKind::Item && field == "caption" && line.caption.empty() && !line.address.empty())
        check.suggestion = NearestStorable(line.kind, field, line.address);
    const std::string where = lineNumber > 0 ? " on line " + std::to_string(lineNumber) : std::string();
    const std::string reading =
        differs < lines.size()
            ? "; it would read back as " + lines[differs].keyword + " \"" + lines[differs].quoted + "\""
                               : "; the line would be lost";
    const bool untouched = line.source < page.originalLines.size() && line == page.originalLines[line.source];
    if (untouched) {
        check.message = "The " + std::string(LineKindName(line.kind)) + " line" + where +
                        " was not changed, but after this edit the plug-in would read it differently" + reading +
                        ". Change the lines next to it instead. Nothing was written.";
        return check;
    }
    check.message = "The " + field + " \"" + check.text + "\" of the " + LineKindName(line.kind) + " line" + where +
                    " cannot be stored as it stands: the plug-in would read it back differently" + reading +
                    ". The nearest " + field + " that can be stored is \"" + check.suggestion +
                    "\". Nothing was written.";
    return check;
}

SaveOutcome SavePage(const DefinitionPage& page, const std::string& path, const SaveOptions& options) {
    SaveOutcome outcome;
    outcome.check = CheckSave(page);
    if (!outcome.check.storable)
        return outcome;
    if (options.expected) {
        std::string now;
        std::string error;
        if (detail::ReadFileBytes(path, now, error) && now != *options.expected) {
            outcome.changedOnDisk = true;
            outcome.error = "the file was changed on disk since it was opened";
            return outcome;
        }
    }
    outcome.saved = ReplacePageFile(path, outcome.check.bytes, options.keepBackup, outcome.error);
    outcome.readOnly = !outcome.saved && IsReadOnlyFile(path);
    return outcome;
}

}  // namespace zorbit

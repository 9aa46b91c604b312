// Reading a page: the plug-in's reading traced to the page's bytes, the page
// split around its definition, its menus and its problems.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/document/page_trace.h"
#include "plugin/menus/line_entry.h"

namespace zorbit {

namespace detail {

DefinitionLine LineFromParsed(std::string_view keyword, std::string_view quoted, int sourceLine) {
    DefinitionLine line;
    line.sourceLine = sourceLine;
    const LineEntry made = EntryOfLine(keyword, quoted);
    line.caption = made.name;
    line.address = made.url;
    switch (made.effect) {
    case LineEffect::EndsTitle:
        line.kind = LineKind::TitleEnd;
        break;
    case LineEffect::EndsSubmenu:
        line.kind = LineKind::SubmenuEnd;
        break;
    case LineEffect::Nothing:  // the parser gives no other keyword
        line.kind = LineKind::Break;
        break;
    case LineEffect::Entry:
        line.kind = made.kind == Title       ? LineKind::Title
                    : made.kind == Submenu   ? LineKind::Submenu
                    : made.kind == Item      ? LineKind::Item
                    : made.kind == Separator ? LineKind::Separator
                                             : LineKind::Break;
        break;
    }
    return line;
}

}  // namespace detail

namespace {

using detail::PageTrace;
using detail::TracedLine;

bool IsBlank(std::string_view text) {
    for (char c : text) {
        if (c != ' ' && (c < '\t' || c > '\r'))
            return false;
    }
    return true;
}

// Where in a definition line its keywords begin, and where they and their
// quoted text end.
size_t FirstKeywordAt(std::string_view text) {
    size_t first = std::string_view::npos;
    for (std::string_view keyword : {"TITLE", "SUBMENU", "MENUITEM", "SEPARATOR", "BREAK"}) {
        const size_t at = text.find(keyword);
        if (at < first)
            first = at;
    }
    return first == std::string_view::npos ? 0 : first;
}

size_t DefinitionEndAt(const TracedLine& line) {
    const std::string_view text = line.text;
    const size_t first = text.find('"');
    const size_t last = text.rfind('"');
    if (first != std::string_view::npos && first != last)
        return last + 1;
    return text.find(line.keyword) + line.keyword.size();
}

// Page offset of character `offset` of a traced line.
size_t PageIndex(const TracedLine& line, size_t offset) {
    const size_t inPage = offset > line.insertedLead ? offset - line.insertedLead : 0;
    return std::min(line.end, line.begin + inPage);
}

// The offset just past the line end that follows `offset`.
size_t LineEndAfter(const PageTrace& trace, size_t offset) {
    const size_t line = static_cast<size_t>(trace.LineOf(offset));
    return line < trace.lineStarts.size() ? trace.lineStarts[line] : trace.text.size();
}

void SplitPage(std::string_view bytes, const PageTrace& trace, DefinitionPage& page) {
    page.originalBytes.assign(bytes);
    page.hasEmbed = trace.HasEmbed();
    if (!page.hasEmbed) {
        page.trailer.assign(bytes);
        return;
    }
    const TracedLine& embed = trace.lines[trace.embedLine];
    // The line after the embed tag's physical line.
    const int embedLine = trace.LineOf(embed.end > embed.begin ? embed.end - 1 : embed.begin);
    page.definitionStart = static_cast<size_t>(embedLine) < trace.lineStarts.size()
                               ? trace.lineStarts[static_cast<size_t>(embedLine)]
                               : bytes.size();
    size_t preambleEnd = page.definitionStart;
    size_t trailerBegin = page.definitionStart;
    if (!trace.definitionLines.empty()) {
        const TracedLine& first = trace.lines[trace.definitionLines.front()];
        const size_t keywordAt = FirstKeywordAt(first.text);
        preambleEnd = IsBlank(std::string_view(first.text).substr(0, keywordAt))
                          ? first.begin
                          : PageIndex(first, keywordAt);
        const TracedLine& last = trace.lines[trace.definitionLines.back()];
        const size_t definitionEnd = DefinitionEndAt(last);
        trailerBegin = IsBlank(last.text.substr(definitionEnd)) ? LineEndAfter(trace, last.end)
                                                                : PageIndex(last, definitionEnd);
    }
    page.preamble.assign(bytes.substr(0, preambleEnd));
    page.trailer.assign(bytes.substr(std::min(trailerBegin, bytes.size())));
    page.lines.reserve(trace.definitionLines.size());
    page.originalSpans.reserve(trace.definitionLines.size());
    for (size_t index : trace.definitionLines) {
        const TracedLine& line = trace.lines[index];
        page.lines.push_back(detail::LineFromParsed(line.keyword, line.quoted, line.physicalLine));
        page.lines.back().source = page.lines.size() - 1;
        SourceSpan span;
        detail::EntrySpan(trace, line, span.begin, span.end);
        page.originalSpans.push_back(span);
    }
    page.originalLines = page.lines;
}

void Refuse(PageReading& reading, std::string error) {
    reading.status = ReadStatus::NotDefinitionPage;
    reading.error = std::move(error);
}

}  // namespace

PageReading ReadPageBytes(std::string_view bytes) {
    PageReading reading;
    if (bytes.size() > kMaxPageBytes) {
        Refuse(reading, "the file is larger than " + std::to_string(kMaxPageBytes / (1024 * 1024)) +
                            " MB, far more than any definition page");
        return reading;
    }
    // What follows a Ctrl-Z is never read, so it may be anything.
    const void* ctrlZ = std::memchr(bytes.data(), 0x1A, bytes.size());
    const size_t read = ctrlZ ? static_cast<size_t>(static_cast<const char*>(ctrlZ) - bytes.data()) : bytes.size();
    if (std::memchr(bytes.data(), '\0', read)) {
        Refuse(reading, "the file holds binary data, not the text of a definition page");
        return reading;
    }
    PageTrace trace;
    detail::TracePage(bytes, trace);
    SplitPage(bytes, trace, reading.page);
    reading.menus = detail::BuildMenuView(trace);
    reading.problems = detail::CheckTrace(trace, reading.menus);
    if (!trace.HasEmbed())
        Refuse(reading, "the file has no lower-case embed tag, so it defines no menus");
    return reading;
}

bool detail::ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::string("the file cannot be opened: ") + std::strerror(errno);
        return false;
    }
    char buffer[64 * 1024];
    size_t got = 0;
    while (bytes.size() <= kMaxPageBytes && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        error = "the file cannot be read";
    return !failed;
}

PageReading ReadPageFile(const std::string& path) {
    PageReading reading;
    std::string bytes;
    if (!detail::ReadFileBytes(path, bytes, reading.error)) {
        reading.status = ReadStatus::CannotRead;
        return reading;
    }
    return ReadPageBytes(bytes);
}

PageReading ReadEditedPage(const DefinitionPage& page) {
    std::vector<size_t> starts;
    PageReading reading = ReadPageBytes(ComposePage(page, &starts));
    if (!page.originalBytes.empty() && page.lines == page.originalLines) {
        // The page as it was read: its lines are the parser's, one for one.
        reading.page = page;
        return reading;
    }
    if (reading.page.lines.size() == page.lines.size()) {
        // Read back line for line: the ordinals are the page's own.
        reading.page = page;
        return reading;
    }
    // Else a line of the composed text belongs to the page's line whose
    // entry was written on it.
    const std::string text = ComposePage(page);
    const std::vector<size_t> lineStarts = detail::LineStarts(text);
    std::vector<int> firstLines;
    for (size_t start : starts)
        firstLines.push_back(static_cast<int>(std::upper_bound(lineStarts.begin(), lineStarts.end(), start) -
                                              lineStarts.begin()));
    auto indexOf = [&](int sourceLine) {
        const auto after = std::upper_bound(firstLines.begin(), firstLines.end(), sourceLine);
        if (after == firstLines.begin())
            return kNoLine;
        const size_t index = static_cast<size_t>(after - firstLines.begin()) - 1;
        return firstLines[index] == sourceLine ? index : kNoLine;
    };
    for (MenuEntry& entry : reading.menus)
        entry.lineIndex = indexOf(entry.sourceLine);
    for (Problem& problem : reading.problems)
        problem.lineIndex = indexOf(problem.line);
    reading.page = page;
    return reading;
}

void LoadPluginEntries(const std::vector<MenuEntry>& entries, CBarMenuData& menus) {
    menus.definitionEntries.clear();
    size_t textBytes = 0;
    for (const MenuEntry& entry : entries)
        textBytes += entry.name.size() + entry.url.size();
    menus.definitionEntries.reserve(entries.size(), textBytes);
    for (const MenuEntry& entry : entries)
        menus.definitionEntries.Append(entry.name, entry.url, entry.kind, entry.depth);
}

bool LoadPluginEntries(const DefinitionPage& page, CBarMenuData& menus) {
    detail::PageTrace trace;
    detail::TracePage(ComposePage(page), trace);
    menus.definitionEntries = std::move(trace.menus.definitionEntries);
    return true;
}

}  // namespace zorbit

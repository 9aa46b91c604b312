// Reading a page: the plug-in's reading traced to the page's bytes, the page
// split around its definition, its menus and its problems.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/document/page_trace.h"
#include "plugin/menus/work_file.h"

namespace zorbit {

namespace detail {

DefinitionLine LineFromParsed(const std::string& keyword, const std::string& quoted, int sourceLine) {
    DefinitionLine line;
    line.sourceLine = sourceLine;
    if (keyword == "TITLE" || keyword == "SUBMENU") {
        const bool end = quoted == "END";
        line.kind = keyword == "TITLE" ? (end ? LineKind::TitleEnd : LineKind::Title)
                                       : (end ? LineKind::SubmenuEnd : LineKind::Submenu);
        if (!end)
            line.caption = quoted;
    } else if (keyword == "MENUITEM") {
        line.kind = LineKind::Item;
        const size_t semicolon = quoted.find(';');
        line.caption = quoted.substr(0, semicolon);
        if (semicolon != std::string::npos)
            line.address = quoted.substr(semicolon + 1);
    } else {
        line.kind = keyword == "SEPARATOR" ? LineKind::Separator : LineKind::Break;
    }
    return line;
}

bool TraceBytes(std::string_view bytes, PageTrace& trace, std::string& error) {
    std::string path;
    FILE* file = CreateWorkFile(path);
    if (!file) {
        error = "no scratch file could be made to read the page";
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    bool traced = false;
    if (!written || !closed)
        error = "the page could not be written to a scratch file";
    else
        traced = TracePage(path, bytes, trace, error);
    std::remove(path.c_str());
    return traced;
}

}  // namespace detail

namespace {

using detail::PageTrace;
using detail::TracedLine;

bool IsBlank(std::string_view text) {
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c)))
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
    const std::string_view text(line.text);
    const size_t first = text.find('"');
    const size_t last = text.rfind('"');
    if (first != std::string_view::npos && first != last)
        return last + 1;
    return text.find(line.keyword) + line.keyword.size();
}

// Text index in the page of character `offset` of a traced line.
size_t PageIndex(const TracedLine& line, size_t offset) {
    const size_t inPage = offset > line.insertedLead ? offset - line.insertedLead : 0;
    return std::min(line.end, line.begin + inPage);
}

void SplitPage(std::string_view bytes, const PageTrace& trace, DefinitionPage& page) {
    page.originalBytes.assign(bytes);
    page.hasEmbed = trace.HasEmbed();
    if (!page.hasEmbed) {
        page.trailer.assign(bytes);
        return;
    }
    const TracedLine& embed = trace.lines[trace.embedLine];
    size_t preambleEnd = embed.end;
    size_t trailerBegin = embed.end;
    if (!trace.definitionLines.empty()) {
        const TracedLine& first = trace.lines[trace.definitionLines.front()];
        const size_t keywordAt = FirstKeywordAt(first.text);
        preambleEnd = IsBlank(std::string_view(first.text).substr(0, keywordAt))
                          ? first.begin
                          : PageIndex(first, keywordAt);
        const TracedLine& last = trace.lines[trace.definitionLines.back()];
        const size_t definitionEnd = DefinitionEndAt(last);
        trailerBegin = IsBlank(std::string_view(last.text).substr(definitionEnd))
                           ? last.end
                           : PageIndex(last, definitionEnd);
    }
    const size_t rawPreambleEnd = trace.rawOffset[preambleEnd];
    const size_t rawTrailerBegin = trace.rawOffset[trailerBegin];
    page.preamble.assign(bytes.substr(0, rawPreambleEnd));
    page.trailer.assign(bytes.substr(rawTrailerBegin));
    for (size_t index : trace.definitionLines) {
        const TracedLine& line = trace.lines[index];
        page.lines.push_back(detail::LineFromParsed(line.keyword, line.quoted, line.physicalLine));
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
    if (std::memchr(bytes.data(), '\0', bytes.size())) {
        Refuse(reading, "the file holds binary data, not the text of a definition page");
        return reading;
    }
    PageTrace trace;
    std::string error;
    if (!detail::TraceBytes(bytes, trace, error)) {
        reading.status = ReadStatus::CannotRead;
        reading.error = error;
        return reading;
    }
    SplitPage(bytes, trace, reading.page);
    reading.menus = detail::BuildMenuView(trace);
    reading.problems = detail::CheckTrace(trace, reading.menus);
    if (!trace.HasEmbed())
        Refuse(reading, "the file has no lower-case embed tag, so it defines no menus");
    return reading;
}

PageReading ReadPageFile(const std::string& path) {
    PageReading reading;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reading.status = ReadStatus::CannotRead;
        reading.error = std::string("the file cannot be opened: ") + std::strerror(errno);
        return reading;
    }
    std::string bytes;
    char buffer[64 * 1024];
    size_t got = 0;
    while (bytes.size() <= kMaxPageBytes && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        reading.status = ReadStatus::CannotRead;
        reading.error = "the file cannot be read";
        return reading;
    }
    return ReadPageBytes(bytes);
}

PageReading ReadEditedPage(const DefinitionPage& page) {
    PageReading reading = ReadPageBytes(ComposePage(page));
    if (!page.originalBytes.empty() && page.lines == page.originalLines) {
        // The page as it was read: its lines are the parser's, one for one.
        reading.page = page;
        return reading;
    }
    // Lines of the composed text map back to the page's lines by position.
    int firstLine = 1;
    for (char c : page.preamble)
        firstLine += c == '\n';
    if (!page.preamble.empty() && page.preamble.back() != '\n')
        ++firstLine;
    auto indexOf = [&](int sourceLine) {
        const long index = static_cast<long>(sourceLine) - firstLine;
        return index >= 0 && static_cast<size_t>(index) < page.lines.size() ? static_cast<size_t>(index) : kNoLine;
    };
    for (MenuEntry& entry : reading.menus)
        entry.lineIndex = indexOf(entry.sourceLine);
    for (Problem& problem : reading.problems)
        problem.lineIndex = indexOf(problem.line);
    reading.page = page;
    return reading;
}

bool LoadPluginEntries(const DefinitionPage& page, CBarMenuData& menus) {
    menus.BuildEntries({});
    detail::PageTrace trace;
    std::string error;
    if (!detail::TraceBytes(ComposePage(page), trace, error))
        return false;
    menus.definitionEntries = std::move(trace.menus.definitionEntries);
    return true;
}

}  // namespace zorbit

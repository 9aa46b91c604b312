#include "editor/document/page_trace.h"

#include <algorithm>
#include <cstdio>

#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "plugin/menus/text_mode_reader.h"

namespace zorbit::detail {

namespace {

constexpr char kCtrlZ = 0x1A;

// The page as a text-mode read delivers it, keeping each character's offset.
void ReadAsText(std::string_view bytes, PageTrace& trace) {
    trace.text.clear();
    trace.rawOffset.clear();
    trace.lineStarts.assign(1, 0);
    size_t at = 0;
    while (at < bytes.size() && bytes[at] != kCtrlZ) {
        trace.rawOffset.push_back(static_cast<uint32_t>(at));
        if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') {
            trace.text.push_back('\n');
            at += 2;
        } else {
            trace.text.push_back(bytes[at]);
            ++at;
        }
        if (trace.text.back() == '\n')
            trace.lineStarts.push_back(trace.text.size());
    }
    trace.rawOffset.push_back(static_cast<uint32_t>(bytes.size()));
}

// The work file's lines, read with the parser's own reader and line length.
bool ReadWorkLines(const std::string& workFile, std::vector<TracedLine>& lines) {
    TextModeReader work(workFile.c_str());
    if (!work.IsOpen())
        return false;
    std::string piece;
    size_t lineFirst = 0;
    size_t length = 0;
    while (work.ReadLine(piece, kLineChars)) {
        TracedLine line;
        line.text = piece;
        line.firstPiece = lines.size() == lineFirst;
        length += piece.size();
        lines.push_back(std::move(line));
        if (piece.back() != '\n')
            continue;
        for (size_t i = lineFirst; i < lines.size(); ++i)
            lines[i].normalisedLength = length - 1;
        lineFirst = lines.size();
        length = 0;
    }
    for (size_t i = lineFirst; i < lines.size(); ++i)
        lines[i].normalisedLength = length;
    return !work.Failed();
}

// Walks the work file's text against the page's text. The work file is the
// page with "\r\n " put before some spaces (read back as "\n ") and, where a
// long physical line was copied in chunks, a space repeated at a chunk's end.
bool Align(PageTrace& trace) {
    const std::string& page = trace.text;
    size_t at = 0;
    bool inBreak = false;  // the inserted space of "\r\n " is still to come
    for (TracedLine& line : trace.lines) {
        line.begin = at;
        for (char c : line.text) {
            if (inBreak && c == ' ') {
                inBreak = false;
                if (at == line.begin)
                    ++line.insertedLead;
            } else if (at < page.size() && page[at] == c) {
                ++at;
            } else if (c == '\n' && at + 1 < page.size() && page[at] == '\r' && page[at + 1] == '\n') {
                at += 2;  // a page's CR CR LF: the work file holds CR LF, read as LF
            } else if (c == '\n') {
                // Before the space at `at`, or before a repeated chunk-end space.
                trace.insertedBreaks.push_back(at < page.size() && page[at] == ' ' ? at : at - 1);
                inBreak = true;
            } else if (c != ' ') {
                return false;
            }
        }
        line.end = at;
        line.physicalLine = trace.LineOf(line.begin);
    }
    return at == page.size();
}

}  // namespace

int PageTrace::LineOf(size_t index) const {
    const auto next = std::upper_bound(lineStarts.begin(), lineStarts.end(), index);
    return static_cast<int>(next - lineStarts.begin());
}

bool TracePage(const std::string& path, std::string_view bytes, PageTrace& trace, std::string& error) {
    ReadAsText(bytes, trace);

    CIEMenuData parsed;
    if (!ReadDefinition(parsed, path.c_str())) {
        error = "the file cannot be read";
        return false;
    }
    parsed.TransferTo(&trace.menus);

    std::string workFile;
    if (!CopyToWorkFile(path.c_str(), workFile)) {
        error = "the file cannot be read";
        return false;
    }
    const bool read = ReadWorkLines(workFile, trace.lines);
    std::remove(workFile.c_str());
    if (!read) {
        error = "the file cannot be read";
        return false;
    }
    if (!Align(trace)) {
        error = "the page's lines could not be traced";
        return false;
    }

    for (size_t i = 0; i < trace.lines.size(); ++i) {
        TracedLine& line = trace.lines[i];
        CPaseData data;
        if (data.ClassifyLine(line.text)) {
            data.ExtractText(line.text);
            line.keyword = data.keyword;
            line.quoted = data.text;
        }
        if (!trace.HasEmbed()) {
            if (line.text.find("embed") != std::string::npos)
                trace.embedLine = i;
            continue;
        }
        if (!line.keyword.empty())
            trace.definitionLines.push_back(i);
    }

    // The parser's own list is the reading; the trace only says where each
    // of its lines lies, so both must agree line for line.
    bool same = parsed.Count() == trace.definitionLines.size();
    for (size_t k = 0; same && k < parsed.Count(); ++k) {
        const TracedLine& line = trace.lines[trace.definitionLines[k]];
        same = parsed.At(k).keyword == line.keyword && parsed.At(k).text == line.quoted;
    }
    if (!same) {
        error = "the page's lines could not be traced";
        return false;
    }
    return true;
}

}  // namespace zorbit::detail

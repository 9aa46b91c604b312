#include "editor/document/page_trace.h"

#include <algorithm>
#include <cstring>

#include "plugin/menus/definition_parser.h"
#include "plugin/menus/pase_data.h"

namespace zorbit::detail {

namespace {

constexpr char kCtrlZ = 0x1A;

}  // namespace

std::vector<size_t> LineStarts(std::string_view text) {
    std::vector<size_t> starts(1, 0);
    for (size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c > '\r')
            continue;
        // CR CR LF shows as one line end, as CR LF does.
        const bool crAlone = c == '\r' && !(at + 1 < text.size() && text[at + 1] == '\n') &&
                             !(at + 2 < text.size() && text[at + 1] == '\r' && text[at + 2] == '\n');
        if (c == '\n' || crAlone)
            starts.push_back(at + 1);
    }
    return starts;
}

namespace {

// The normalisation of one chunk (page bytes from `raw`), with the space
// carried from the chunk before at `carried` when `carry` is set.
void Normalise(PageTrace& trace, std::string_view chunk, size_t raw, bool carry, size_t carried) {
    std::string pending;
    if (carry)
        pending = " ";
    pending += chunk;
    auto originOf = [&](size_t i) { return static_cast<uint32_t>(carry ? (i == 0 ? carried : raw + i - 1) : raw + i); };
    auto put = [&](size_t from, size_t to) {
        trace.work.append(pending, from, to - from);
        for (size_t i = from; i < to; ++i)
            trace.origin.push_back(originOf(i));
    };
    size_t copied = 0;
    for (size_t space = pending.find(' '); space != std::string::npos; space = pending.find(' ', space + 1)) {
        const std::string_view window(pending.data() + space, std::min(kMarkerWindowChars, pending.size() - space));
        if (!IsBreakMarker(window))
            continue;
        put(copied, space);
        trace.work += "\r\n ";
        trace.origin.insert(trace.origin.end(), 3, PageTrace::kInserted | originOf(space));
        copied = space;
    }
    put(copied, pending.size());
}

// The work file's text, as CopyToWorkFile writes it: chunks of at most
// 2047 characters up to a newline (CR LF counts as one).
void Normalise(PageTrace& trace) {
    const std::string_view bytes(trace.text.data(), trace.readEnd);
    size_t at = 0;
    bool carry = false;
    size_t carried = 0;
    for (;;) {
        const size_t rest = bytes.size() - at;
        size_t next = bytes.find('\n', at);
        if (next == std::string_view::npos)
            next = bytes.size();
        const bool found = next < bytes.size() && next - at <= kChunkChars;
        size_t end = 0;
        bool newline = false;
        if (found) {
            end = next;
            if (end > at && bytes[end - 1] == '\r')
                --end;
            newline = end - at < kChunkChars;
            if (!newline)
                end = at + kChunkChars;
        } else if (rest > kChunkChars) {
            end = at + kChunkChars;
        } else if (rest > 0) {
            end = bytes.size();
        } else {
            break;
        }
        const std::string_view chunk = bytes.substr(at, end - at);
        Normalise(trace, chunk, at, carry, carried);
        if (newline) {
            trace.work += '\n';
            trace.origin.push_back(static_cast<uint32_t>(next));
        }
        carry = !newline && !chunk.empty() && chunk.back() == ' ';
        carried = end - 1;
        at = newline ? next + 1 : end;
    }
}

void AddLine(PageTrace& trace, size_t from, size_t to, size_t normalisedLength, bool firstPiece) {
    TracedLine line;
    line.text = std::string_view(trace.work).substr(from, to - from);
    line.workBegin = from;
    line.normalisedLength = normalisedLength;
    line.firstPiece = firstPiece;
    size_t first = from;
    while (first < to && (trace.origin[first] & PageTrace::kInserted))
        ++first;
    line.insertedLead = first - from;
    line.begin = first < to                   ? trace.PageOffset(first)
                 : from < trace.work.size() ? trace.PageOffset(from)
                                            : trace.readEnd;
    line.end = first < to ? trace.PageOffset(to - 1) + 1 : line.begin;
    line.physicalLine = trace.LineOf(line.begin);
    CPaseData data;
    if (data.ClassifyLine(line.text)) {
        data.ExtractText(line.text);
        line.keyword = data.keyword;
        line.quoted = data.text;
    }
    if (!trace.HasEmbed()) {
        if (line.text.find("embed") != std::string_view::npos)
            trace.embedLine = trace.lines.size();
    } else if (!line.keyword.empty()) {
        trace.definitionLines.push_back(trace.lines.size());
    }
    trace.lines.push_back(line);
}

// The work file's lines as ReadDefinition reads them: at most 399
// characters, a CR before the newline belonging to it.
void SplitLines(PageTrace& trace) {
    const std::string& work = trace.work;
    for (size_t at = 0; at < work.size();) {
        const size_t newline = work.find('\n', at);
        const bool found = newline != std::string::npos;
        size_t contentEnd = found ? newline : work.size();
        if (found && contentEnd > at && work[contentEnd - 1] == '\r')
            --contentEnd;
        const size_t length = contentEnd - at + (found ? 1 : 0);
        for (size_t piece = 0; piece < length; piece += kLineChars) {
            const size_t from = std::min(at + piece, contentEnd);
            AddLine(trace, from, std::min(at + piece + kLineChars, contentEnd), contentEnd - at, piece == 0);
        }
        at = found ? newline + 1 : work.size();
    }
}

}  // namespace

int PageTrace::LineOf(size_t offset) const {
    const auto next = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
    return static_cast<int>(next - lineStarts.begin());
}

size_t PageTrace::PageOffset(size_t at) const { return origin[at] & ~kInserted; }

void TracePage(std::string_view bytes, PageTrace& trace) {
    trace.text.assign(bytes);
    const void* ctrlZ = std::memchr(bytes.data(), kCtrlZ, bytes.size());
    trace.readEnd = ctrlZ ? static_cast<size_t>(static_cast<const char*>(ctrlZ) - bytes.data()) : bytes.size();
    trace.lineStarts = LineStarts(trace.text);
    trace.work.reserve(trace.readEnd + trace.readEnd / 8);
    trace.origin.reserve(trace.work.capacity());
    Normalise(trace);
    SplitLines(trace);

    std::vector<CPaseData> parsed;
    parsed.reserve(trace.definitionLines.size());
    for (size_t index : trace.definitionLines) {
        parsed.emplace_back();
        parsed.back().keyword = trace.lines[index].keyword;
        parsed.back().text = trace.lines[index].quoted;
    }
    trace.menus.BuildEntries(parsed);
}

void EntrySpan(const PageTrace& trace, const TracedLine& line, size_t& begin, size_t& end) {
    const std::string_view text = line.text;
    size_t first = text.find(line.keyword);
    for (std::string_view keyword : kDefinitionKeywords)
        first = std::min(first, text.find(keyword));
    size_t last = text.find(line.keyword) + line.keyword.size();
    const size_t open = text.find('"');
    const size_t close = text.rfind('"');
    if (open != std::string_view::npos && open != close) {
        last = std::max(last, close + 1);
    } else if (open != std::string_view::npos && line.keyword != "SEPARATOR" && line.keyword != "BREAK") {
        // A caption whose closing quote went to another line: up to the
        // line's last character that is not a space.
        const size_t lastShown = text.find_last_not_of(" \t");
        last = std::max(last, lastShown + 1);
    }
    begin = trace.PageOffset(line.workBegin + first);
    end = trace.PageOffset(line.workBegin + last - 1) + 1;
}

}  // namespace zorbit::detail

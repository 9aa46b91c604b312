// Writing a page back: its own bytes kept, only what the author changed
// written anew.
#include <algorithm>
#include <string>
#include <vector>

#include "editor/document/definition_document.h"

namespace zorbit {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Quoted(std::string_view keyword, std::string_view text) {
    std::string line(keyword);
    line += " \"";
    line += text;
    line += '"';
    return line;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// Just past the line end at or after `offset`; npos when none follows.
size_t NextLineStart(std::string_view bytes, size_t offset) {
    const size_t at = bytes.find_first_of("\r\n", offset);
    if (at == std::string_view::npos)
        return at;
    return at + (bytes.compare(at, 2, "\r\n") == 0 ? 2 : 1);
}

size_t LineStartBefore(std::string_view bytes, size_t offset) {
    const size_t at = bytes.find_last_of("\r\n", offset == 0 ? 0 : offset - 1);
    return at == std::string_view::npos || at >= offset ? 0 : at + 1;
}

// The line end of the physical line holding `offset`; the page's first one
// on its last line, and CR LF on a page of one line.
std::string_view LineEndAt(std::string_view bytes, size_t offset) {
    size_t at = bytes.find_first_of("\r\n", offset);
    if (at == std::string_view::npos)
        at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos || bytes.compare(at, 2, "\r\n") == 0)
        return kLineEnd;
    return bytes[at] == '\r' ? "\r" : "\n";
}

// The page's own bytes with the entries of its lines replaced, taken out and
// added as the lines now stand.
class Splice {
public:
    Splice(const DefinitionPage& page, std::vector<size_t>* starts)
        : page_(page), bytes_(page.originalBytes), starts_(starts) {}

    std::string Run() {
        const auto& lines = page_.lines;
        const auto& spans = page_.originalSpans;
        // Lines that keep their place: in the page's order, each after the
        // one before. A line moved before its old neighbours counts as added.
        std::vector<bool> placed(lines.size()), kept(spans.size());
        size_t cursor = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const size_t k = lines[i].source;
            if (k < spans.size() && !kept[k] && spans[k].begin >= cursor) {
                placed[i] = kept[k] = true;
                cursor = spans[k].end;
            }
        }
        for (size_t k = 0; k < spans.size(); ++k) {
            if (!kept[k])
                removals_.push_back(Removal(spans[k]));
        }
        if (starts_)
            starts_->assign(lines.size(), 0);
        out_.reserve(bytes_.size() + 64);
        size_t at = 0;
        bool afterEntry = false;
        std::vector<size_t> added;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (!placed[i]) {
                added.push_back(i);
                continue;
            }
            const SourceSpan& span = spans[lines[i].source];
            Gap(at, span.begin, added, afterEntry);
            added.clear();
            Start(i);
            if (lines[i] == page_.originalLines[lines[i].source])
                out_.append(bytes_, span.begin, span.end - span.begin);
            else
                out_ += ComposeLine(lines[i]);
            at = span.end;
            afterEntry = true;
        }
        Gap(at, bytes_.size(), added, afterEntry);
        return std::move(out_);
    }

private:
    // A removed line's entry, with its physical line when nothing else is on it.
    SourceSpan Removal(const SourceSpan& span) const {
        const size_t lineStart = LineStartBefore(bytes_, span.begin);
        const size_t next = NextLineStart(bytes_, span.end);
        const size_t lineEnd = next == std::string_view::npos ? bytes_.size() : next;
        const size_t contentEnd = std::min(lineEnd, bytes_.find_first_of("\r\n", span.end));
        if (IsBlank(bytes_.substr(lineStart, span.begin - lineStart)) &&
            IsBlank(bytes_.substr(span.end, contentEnd - span.end)))
            return {lineStart, lineEnd};
        // With the spaces before it, which could otherwise bring a marker
        // within reach of a caption before.
        size_t begin = span.begin;
        while (begin > lineStart && (bytes_[begin - 1] == ' ' || bytes_[begin - 1] == '\t'))
            --begin;
        return {begin, span.end};
    }

    void Start(size_t line) {
        if (starts_)
            (*starts_)[line] = out_.size();
    }

    // Copies bytes [from, to) but what removed lines took.
    void Copy(size_t from, size_t to) {
        while (next_ < removals_.size() && removals_[next_].begin < to) {
            const SourceSpan& removal = removals_[next_++];
            if (removal.begin > from)
                out_.append(bytes_, from, removal.begin - from);
            from = std::max(from, removal.end);
        }
        if (to > from)
            out_.append(bytes_, from, to - from);
    }

    void Put(const std::vector<size_t>& added, std::string_view before, std::string_view after) {
        for (size_t i : added) {
            out_ += before;
            Start(i);
            out_ += ComposeLine(page_.lines[i]);
            out_ += after;
        }
    }

    // The bytes between two kept entries, with the added lines that go
    // between them on lines of their own.
    void Gap(size_t from, size_t to, const std::vector<size_t>& added, bool afterEntry) {
        if (added.empty()) {
            Copy(from, to);
            return;
        }
        const bool beforeEntry = to < bytes_.size();
        if (!afterEntry && !beforeEntry) {
            // No entry is left: the lines go after the embed tag's line.
            const size_t at = std::min(page_.definitionStart, to);
            std::string_view end = LineEndAt(bytes_, at);
            if (at >= 2 && bytes_.compare(at - 2, 2, "\r\n") == 0)
                end = "\r\n";
            else if (at >= 1 && (bytes_[at - 1] == '\n' || bytes_[at - 1] == '\r'))
                end = bytes_.substr(at - 1, 1);
            Copy(from, at);
            // A page that ends without a line end keeps ending so.
            if (!out_.empty() && out_.back() != '\n' && out_.back() != '\r')
                Put(added, end, "");
            else
                Put(added, "", end);
            Copy(at, to);
            return;
        }
        if (afterEntry) {
            // After the rest of the physical line of the entry before.
            const size_t next = NextLineStart(bytes_, from);
            if (next != std::string_view::npos && next <= to) {
                Copy(from, next);
                Put(added, "", LineEndAt(bytes_, from));
                Copy(next, to);
                return;
            }
        } else {
            // Before the first kept entry, on the lines before its own.
            const size_t lineStart = LineStartBefore(bytes_, to);
            if (lineStart >= from && IsBlank(bytes_.substr(lineStart, to - lineStart))) {
                Copy(from, lineStart);
                Put(added, "", LineEndAt(bytes_, to));
                Copy(lineStart, to);
                return;
            }
        }
        // Entries sharing a physical line: the added ones go between them,
        // on lines of their own.
        const std::string_view end = LineEndAt(bytes_, from);
        Copy(from, to);
        Put(added, end, "");
        if (beforeEntry)
            out_ += end;
    }

    const DefinitionPage& page_;
    std::string_view bytes_;
    std::vector<size_t>* starts_;
    std::vector<SourceSpan> removals_;
    size_t next_ = 0;
    std::string out_;
};

}  // namespace

const char* LineKindName(LineKind kind) {
    switch (kind) {
    case LineKind::Title: return "TITLE";
    case LineKind::TitleEnd: return "TITLE END";
    case LineKind::Submenu: return "SUBMENU";
    case LineKind::SubmenuEnd: return "SUBMENU END";
    case LineKind::Item: return "MENUITEM";
    case LineKind::Separator: return "SEPARATOR";
    case LineKind::Break: return "BREAK";
    }
    return "";
}

std::string ComposeLine(const DefinitionLine& line) {
    switch (line.kind) {
    case LineKind::Title: return Quoted("TITLE", line.caption);
    case LineKind::TitleEnd: return Quoted("TITLE", "END");
    case LineKind::Submenu: return Quoted("SUBMENU", line.caption);
    case LineKind::SubmenuEnd: return Quoted("SUBMENU", "END");
    case LineKind::Item: return Quoted("MENUITEM", line.caption + ";" + line.address);
    case LineKind::Separator: return "SEPARATOR";
    case LineKind::Break: return "BREAK";
    }
    return std::string();
}

std::string ComposePage(const DefinitionPage& page, std::vector<size_t>* starts) {
    if (!page.originalBytes.empty())
        return Splice(page, starts).Run();
    std::string text = page.preamble;
    if (!text.empty() && text.back() != '\n')
        text += kLineEnd;
    if (starts)
        starts->clear();
    for (const DefinitionLine& line : page.lines) {
        if (starts)
            starts->push_back(text.size());
        text += ComposeLine(line);
        text += kLineEnd;
    }
    text += page.trailer;
    return text;
}

void ReplacePreamble(DefinitionPage& page, const std::string& preamble) {
    if (!page.originalBytes.empty() && page.originalBytes.compare(0, page.preamble.size(), page.preamble) == 0) {
        page.originalBytes.replace(0, page.preamble.size(), preamble);
        const size_t old = page.preamble.size();
        auto shift = [&](size_t& offset) { offset = offset - old + preamble.size(); };
        for (SourceSpan& span : page.originalSpans) {
            shift(span.begin);
            shift(span.end);
        }
        shift(page.definitionStart);  // the embed tag comes before it
    }
    page.preamble = preamble;
}

DefinitionPage NewPage(std::string_view fileName) {
    DefinitionPage page;
    page.hasEmbed = true;
    page.preamble =
        "<html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
        "<title>New Zorbit collection</title>\r\n"
        "</head>\r\n"
        "<body bgcolor=\"#FFFFFF\">\r\n"
        "<h1>New Zorbit collection</h1>\r\n"
        "<p>Each line after the plug-in is one menu line.</p>\r\n"
        "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"" + std::string(fileName) +
        "\" width=\"2\" height=\"2\">\r\n"
        "<pre>\r\n";
    page.lines = {
        {LineKind::Title, "New collection", "", 0},
        {LineKind::Item, "Zorbit start page", "BatchBM.htm", 0},
        {LineKind::TitleEnd, "", "", 0},
    };
    page.trailer =
        "</pre>\r\n"
        "</body>\r\n"
        "</html>\r\n";
    return page;
}

}  // namespace zorbit

#include "common/bookmark_entry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const char kName[] = ">Welcome to Zorbit";

bool StartsWith(const std::string& text, const char* prefix) { return text.compare(0, strlen(prefix), prefix) == 0; }

bool SameLetters(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool MatchesAt(const std::string& text, size_t at, const char* word) {
    size_t length = strlen(word);
    if (at > text.size() || text.size() - at < length)
        return false;
    return std::equal(word, word + length, text.begin() + at, SameLetters);
}

// The last place where word lies wholly inside [from, to), without letter
// case; npos when none.
size_t FindLastWithin(const std::string& text, size_t from, size_t to, const char* word) {
    size_t length = strlen(word);
    if (to < from + length)
        return std::string::npos;
    for (size_t at = to - length + 1; at-- > from;)
        if (MatchesAt(text, at, word))
            return at;
    return std::string::npos;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t LineStart(const std::string& text, size_t at) {
    while (at > 0 && !IsLineEnd(text[at - 1]))
        --at;
    return at;
}

size_t LineEnd(const std::string& text, size_t at) {
    while (at < text.size() && !IsLineEnd(text[at]))
        ++at;
    return at;
}

size_t LineEndLength(const std::string& text, size_t at) {
    if (at >= text.size())
        return 0;
    return text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
}

// The quoted HREF value of the anchor tag in [tag, tagEnd); empty when none.
std::string HrefOf(const std::string& text, size_t tag, size_t tagEnd) {
    size_t href = FindLastWithin(text, tag, tagEnd, "HREF=\"");
    if (href == std::string::npos)
        return std::string();
    size_t start = href + 6;
    size_t quote = text.find('"', start);
    if (quote == std::string::npos || quote > tagEnd)
        return std::string();
    return text.substr(start, quote - start);
}

}  // namespace

std::string BookmarkAddress(const std::string& productDirectory) {
    std::string path = productDirectory;
    if (StartsWith(path, "\\\\?\\UNC\\"))
        path = "\\\\" + path.substr(8);
    else if (StartsWith(path, "\\\\?\\"))
        path.erase(0, 4);

    std::string address;
    if (StartsWith(path, "\\\\")) {
        // The server takes the place of the host: file://server/share/...
        address = "file://" + path.substr(2);
    } else {
        // The drive letter keeps the old form with a bar for the colon.
        if (path.size() >= 2)
            path[1] = '|';
        address = "file:///" + path;
    }
    std::replace(address.begin(), address.end(), '\\', '/');
    return address + "/BatchBM.htm";
}

std::string BookmarkEntry(const std::string& productDirectory) {
    return "<DT><A HREF=\"" + BookmarkAddress(productDirectory) + "\">Welcome to Zorbit</A>";
}

std::string BookmarkEntryLine(const std::string& productDirectory) {
    return "    " + BookmarkEntry(productDirectory) + "\r\n";
}

std::vector<BookmarkSpan> FindBookmarkEntries(const std::string& text) {
    std::vector<BookmarkSpan> spans;
    size_t from = 0;
    for (size_t name; (name = text.find(kName, from)) != std::string::npos; from = name + 1) {
        size_t close = name + sizeof kName - 1;
        if (!MatchesAt(text, close, "</A>") || (!spans.empty() && name < spans.back().end))
            continue;
        size_t line = LineStart(text, name);
        size_t anchor = FindLastWithin(text, line, name, "<A ");
        if (anchor == std::string::npos)
            continue;
        BookmarkSpan span;
        span.address = HrefOf(text, anchor, name);
        if (span.address.empty())
            continue;
        size_t term = FindLastWithin(text, line, anchor, "<DT>");
        span.begin = term == std::string::npos ? anchor : term;
        span.end = close + 4;
        span.holdsOtherLink = FindLastWithin(text, span.begin, anchor, "<A ") != std::string::npos ||
                              FindLastWithin(text, span.begin, anchor, "</A>") != std::string::npos;
        size_t lineEnd = LineEnd(text, span.end);
        bool aloneBefore = std::all_of(text.begin() + line, text.begin() + span.begin, IsBlank);
        bool aloneAfter = std::all_of(text.begin() + span.end, text.begin() + lineEnd, IsBlank);
        if (aloneBefore && aloneAfter) {
            span.begin = line;
            span.end = lineEnd + LineEndLength(text, lineEnd);
        }
        spans.push_back(span);
    }
    return spans;
}

std::string RewriteBookmarkText(const std::string& text, const std::string& productDirectory) {
    std::string result;
    result.reserve(text.size() + 128);
    size_t kept = 0;
    for (const BookmarkSpan& span : FindBookmarkEntries(text)) {
        if (span.holdsOtherLink)
            continue;
        result.append(text, kept, span.begin - kept);
        kept = span.end;
    }
    result.append(text, kept, std::string::npos);

    size_t tag = result.find("<DL><p>");
    if (tag == std::string::npos)
        return result;
    size_t lineEnd = LineEnd(result, tag);
    size_t endLength = LineEndLength(result, lineEnd);
    if (endLength == 0)
        return result.insert(tag + 7, BookmarkEntry(productDirectory));
    std::string entryLine = "    " + BookmarkEntry(productDirectory) + result.substr(lineEnd, endLength);
    return result.insert(lineEnd + endLength, entryLine);
}

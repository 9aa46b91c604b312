#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "plugin/menus/definition_parser.h"
#include "plugin/menus/text_mode_reader.h"
#include "plugin/menus/work_file.h"

namespace {

// "BREAK" is not among them, so a column break never starts a line of its
// own. Every marker begins with 'M', 'S', 'T' or '<'.
constexpr std::string_view kMarkers[] = {
    "MENUITEM", "SEPARATOR", "SUBMENU", "TITLE",   "</body>", "<body>",
    "</html>",  "<html>",    "<title>", "</title>", "</p>",    "<meta",
};

constexpr std::string_view kLineBreak = "\r\n ";
constexpr size_t kShortestMarker = 4;  // "</p>"
// A marker starts at most this far after the space that opens its window.
constexpr size_t kWindowReach = zorbit::kMarkerWindowChars - kShortestMarker;

bool StartsWith(std::string_view text, size_t at, std::string_view marker) {
    return text.size() - at >= marker.size() && std::memcmp(text.data() + at, marker.data(), marker.size()) == 0;
}

// Whether one of the markers starts at `at` of the window.
bool MarkerAt(std::string_view window, size_t at) {
    switch (window[at]) {
    case 'M':
        return StartsWith(window, at, "MENUITEM");
    case 'S':
        return StartsWith(window, at, "SEPARATOR") || StartsWith(window, at, "SUBMENU");
    case 'T':
        return StartsWith(window, at, "TITLE");
    case '<':
        for (std::string_view marker : kMarkers) {
            if (marker[0] == '<' && StartsWith(window, at, marker))
                return true;
        }
        return false;
    default:
        return false;
    }
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "NextSpace reads words as little-endian");

// The first space at or after `at`, or `size`. Spaces lie a few characters
// apart, where a call to memchr costs more than it saves: eight bytes are
// tested at a time instead.
size_t NextSpace(const char* text, size_t at, size_t size) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    constexpr uint64_t kSpaces = 0x2020202020202020u;
    for (; at + 8 <= size; at += 8) {
        uint64_t word;
        std::memcpy(&word, text + at, 8);
        const uint64_t x = word ^ kSpaces;
        // The lowest marked byte is the first space (marks above it may be
        // false); little-endian, so it is the lowest set bit.
        const uint64_t marks = (x - kOnes) & ~x & kHighBits;
        if (marks != 0)
            return at + static_cast<size_t>(__builtin_ctzll(marks) / 8);
    }
    while (at < size && text[at] != ' ')
        ++at;
    return at;
}

// Whether a marker's first letter stands among the six characters after a
// space: no marker (four characters at least) can start later in the window.
struct FirstLetters {
    bool table[256] = {};
    constexpr FirstLetters() {
        for (unsigned char c : {'M', 'S', 'T', '<'})
            table[c] = true;
    }
};
constexpr FirstLetters kFirstLetters;

bool MayStartMarker(const char* afterSpace) {
    const auto at = [](const char* c) { return static_cast<int>(kFirstLetters.table[static_cast<unsigned char>(*c)]); };
    return (at(afterSpace) | at(afterSpace + 1) | at(afterSpace + 2) | at(afterSpace + 3) | at(afterSpace + 4) |
            at(afterSpace + 5)) != 0;
}

// Writes `pending` to `out`, with CR LF and a space put before every space
// whose window holds a marker, and returns the end of what it wrote (at most
// four characters for each one of `pending`). Windows only ever reach
// forward over text that was read, never over inserted characters, and
// never past `pending`.
char* WriteNormalised(std::string_view pending, char* out, size_t& breaks) {
    const char* const text = pending.data();
    const size_t size = pending.size();
    size_t copied = 0;
    for (size_t space = NextSpace(text, 0, size); space < size; space = NextSpace(text, space + 1, size)) {
        if (space + kWindowReach < size && !MayStartMarker(text + space + 1))
            continue;
        if (!IsBreakMarker(pending.substr(space, zorbit::kMarkerWindowChars)))
            continue;
        std::memcpy(out, text + copied, space - copied);
        out += space - copied;
        std::memcpy(out, kLineBreak.data(), kLineBreak.size());
        out += kLineBreak.size();
        copied = space;
        ++breaks;
    }
    std::memcpy(out, text + copied, size - copied);
    return out + (size - copied);
}

}  // namespace

bool IsBreakMarker(std::string_view window) {
    // Called at every space of the file: look for markers only where one of
    // their first letters stands, and where the shortest could still fit.
    for (size_t at = 0; at + kShortestMarker <= window.size(); ++at) {
        if (MarkerAt(window, at))
            return true;
    }
    return false;
}

// The normalised text is written in blocks of about this size; the buffer
// holds one more chunk at its worst (a carried space, the chunk and its
// newline, each character growing to four).
constexpr size_t kWriteBlock = 64 * 1024;
constexpr size_t kOutBytes = kWriteBlock + 4 * (zorbit::kChunkChars + 2);

int CopyToWorkFile(const char* sourcePath, std::string& workFileName) {
    size_t newlines = 0;
    return CopyToWorkFile(sourcePath, workFileName, newlines);
}

int CopyToWorkFile(const char* sourcePath, std::string& workFileName, size_t& newlines) {
    workFileName.clear();
    newlines = 0;
    TextModeReader source(sourcePath);
    if (!source.IsOpen())
        return 0;
    std::string name;
    FILE* work = CreateWorkFile(name);
    if (!work)
        return 0;
    // Closed and deleted unless it was written whole, a failed allocation
    // included.
    struct Scratch {
        FILE*& file;
        const std::string& name;
        bool keep = false;
        ~Scratch() {
            if (file)
                std::fclose(file);
            if (!keep)
                std::remove(name.c_str());
        }
    } scratch{work, name};

    bool written = true;
    // The source is read a block at a time rather than a line at a time,
    // and cut into the chunks fgets would read in text mode: up to a newline
    // (a CR LF reads as one), at most kChunkChars characters. The bytes are
    // not decoded first: only the newline that ends a chunk differs.
    std::string bytes;
    std::string pending;
    const std::unique_ptr<char[]> normalised(new char[kOutBytes]);
    size_t used = 0;
    bool carry = false;
    bool more = true;
    while (written && more) {
        more = source.AppendRawBlock(bytes);
        size_t at = 0;
        while (written) {
            const size_t rest = bytes.size() - at;
            const void* found = std::memchr(bytes.data() + at, '\n', std::min(rest, zorbit::kChunkChars + 1));
            size_t end = 0;  // of the chunk's characters but its newline
            bool newline = false;
            if (found) {
                end = static_cast<size_t>(static_cast<const char*>(found) - bytes.data());
                if (end > at && bytes[end - 1] == '\r')
                    --end;
                newline = end - at < zorbit::kChunkChars;
                if (!newline)
                    end = at + zorbit::kChunkChars;
            } else if (rest > zorbit::kChunkChars) {
                end = at + zorbit::kChunkChars;
            } else if (!more && rest > 0) {
                end = bytes.size();
            } else {
                break;
            }
            const std::string_view chunk(bytes.data() + at, end - at);
            at = newline ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data()) + 1 : end;
            // A space at the end of a chunk is carried into the next one (and
            // so written twice), so that a marker right after it is still found.
            char* out = normalised.get() + used;
            if (carry) {
                pending.assign(1, ' ');
                pending += chunk;
                out = WriteNormalised(pending, out, newlines);
            } else {
                out = WriteNormalised(chunk, out, newlines);
            }
            if (newline) {
                *out++ = '\n';
                ++newlines;
            }
            used = static_cast<size_t>(out - normalised.get());
            carry = !newline && !chunk.empty() && chunk.back() == ' ';
            if (used >= kWriteBlock) {
                written = std::fwrite(normalised.get(), 1, used, work) == used;
                used = 0;
            }
        }
        bytes.erase(0, at);
    }
    if (written && used > 0)
        written = std::fwrite(normalised.get(), 1, used, work) == used;
    const int closed = std::fclose(work);
    work = nullptr;
    if (!written || closed != 0 || source.Failed())
        return 0;
    workFileName = name;
    scratch.keep = true;
    return 1;
}

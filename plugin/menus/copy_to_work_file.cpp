#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "plugin/menus/byte_masks.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/place_finder.h"
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

// The spaces that have a marker's first letter among the six characters
// after them: no marker (four characters at least) can start later in a
// space's window, and most spaces of a definition have no such letter after
// them. Blocks are asked for in order, mostly one after the other.
class CandidateMasks {
public:
    explicit CandidateMasks(std::string_view text) : text_(text) {}

    uint64_t At(size_t block) {
        // The letters of the block after this one, for its last spaces.
        const uint64_t letters = block == nextBlock_ ? nextLetters_ : zorbit::MaskAt<zorbit::MarkerLetters>(text_, block);
        nextBlock_ = block + 64;
        nextLetters_ = zorbit::MaskAt<zorbit::MarkerLetters>(text_, nextBlock_);
        uint64_t after = 0;
        for (int reach = 1; reach <= static_cast<int>(kWindowReach); ++reach)
            after |= letters >> reach | nextLetters_ << (64 - reach);
        return zorbit::MaskAt<zorbit::Spaces>(text_, block) & after;
    }

private:
    std::string_view text_;
    size_t nextBlock_ = static_cast<size_t>(-1);
    uint64_t nextLetters_ = 0;
};

using CandidateFinder = PlaceFinder<CandidateMasks>;

// Writes `text[from, to)` to `out` as it stands, and returns the end.
char* Put(char* out, const char* text, size_t from, size_t to) {
    std::memcpy(out, text + from, to - from);
    return out + (to - from);
}

// Writes the chunk `text[at, end)` to `out`, with CR LF and a space put
// before every space whose window holds a marker, and returns the end of
// what it wrote (at most four characters for each one of the chunk).
// Windows reach only over the chunk's own characters.
template <class Spaces>
char* WriteNormalised(std::string_view text, size_t at, size_t end, Spaces&& spaces, char* out, size_t& breaks) {
    size_t copied = at;
    for (size_t space = spaces.Next(at); space < end; space = spaces.Next(space + 1)) {
        if (!IsBreakMarker(text.substr(space, std::min(zorbit::kMarkerWindowChars, end - space))))
            continue;
        out = Put(out, text.data(), copied, space);
        out = Put(out, kLineBreak.data(), 0, kLineBreak.size());
        copied = space;
        ++breaks;
    }
    return Put(out, text.data(), copied, end);
}

// Every space of a text in order, for the rare chunk that is not read where
// it lies (one that a carried space is put before).
struct EverySpace {
    std::string_view text;
    size_t Next(size_t from) const {
        const size_t space = text.find(' ', from);
        return space == std::string_view::npos ? text.size() : space;
    }
};

}  // namespace

bool IsBreakMarker(std::string_view window) {
    // Look for markers only where one of their first letters stands, and
    // where the shortest could still fit.
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
// The source is read in blocks of this size.
constexpr size_t kReadBlock = 64 * 1024;
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
    // not decoded first: only the newline that ends a chunk differs. What
    // is left of a block (less than a chunk) is kept for the next one.
    const std::unique_ptr<char[]> buffer(new char[kReadBlock + zorbit::kChunkChars]);
    size_t kept = 0;
    std::string pending;
    const std::unique_ptr<char[]> normalised(new char[kOutBytes]);
    size_t used = 0;
    bool carry = false;
    bool more = true;
    while (written && more) {
        const size_t read = source.ReadRaw(buffer.get() + kept, kReadBlock);
        more = read > 0;
        const std::string_view bytes(buffer.get(), kept + read);
        NewlineFinder newlineAt(bytes);
        CandidateFinder candidates(bytes);
        size_t at = 0;
        while (written) {
            const size_t rest = bytes.size() - at;
            const size_t next = newlineAt.Next(at);
            const bool found = next < bytes.size() && next - at <= zorbit::kChunkChars;
            size_t end = 0;  // of the chunk's characters but its newline
            bool newline = false;
            if (found) {
                end = next;
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
            // A space at the end of a chunk is carried into the next one (and
            // so written twice), so that a marker right after it is still found.
            char* out = normalised.get() + used;
            if (carry) {
                pending.assign(1, ' ');
                pending += chunk;
                out = WriteNormalised(pending, 0, pending.size(), EverySpace{pending}, out, newlines);
            } else {
                out = WriteNormalised(bytes, at, end, candidates, out, newlines);
            }
            at = newline ? next + 1 : end;
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
        kept = bytes.size() - at;
        std::memmove(buffer.get(), bytes.data() + at, kept);
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

#include <cstdio>
#include <cstring>
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

// Appends `pending` to `out`, with CR LF and a space put before every space
// whose window holds a marker. Windows only ever reach forward over text
// that was read, never over inserted characters, and never past `pending`.
void AppendNormalised(std::string_view pending, std::string& out) {
    size_t copied = 0;
    for (size_t space = pending.find(' '); space != std::string_view::npos; space = pending.find(' ', space + 1)) {
        if (!IsBreakMarker(pending.substr(space, zorbit::kMarkerWindowChars)))
            continue;
        out.append(pending.data() + copied, space - copied);
        out.append(kLineBreak);
        copied = space;
    }
    out.append(pending.data() + copied, pending.size() - copied);
}

}  // namespace

bool IsBreakMarker(std::string_view window) {
    // Called at every space of the file: look for markers only where one of
    // their first letters stands.
    for (size_t at = 0; at < window.size(); ++at) {
        if (MarkerAt(window, at))
            return true;
    }
    return false;
}

// The normalised text is written in blocks of about this size.
constexpr size_t kWriteBlock = 16 * 1024;

int CopyToWorkFile(const char* sourcePath, std::string& workFileName) {
    workFileName.clear();
    TextModeReader source(sourcePath);
    if (!source.IsOpen())
        return 0;
    std::string name;
    FILE* work = CreateWorkFile(name);
    if (!work)
        return 0;

    bool written = true;
    std::string chunk;
    std::string pending;
    std::string normalised;
    normalised.reserve(kWriteBlock + 2 * zorbit::kChunkChars);
    bool carry = false;
    while (written && source.ReadLine(chunk, zorbit::kChunkChars)) {
        // A space at the end of a chunk is carried into the next one (and so
        // written twice), so that a marker right after it is still found.
        if (carry) {
            pending.assign(1, ' ');
            pending += chunk;
            AppendNormalised(pending, normalised);
        } else {
            AppendNormalised(chunk, normalised);
        }
        carry = chunk.back() == ' ';
        if (normalised.size() >= kWriteBlock) {
            written = std::fwrite(normalised.data(), 1, normalised.size(), work) == normalised.size();
            normalised.clear();
        }
    }
    if (written && !normalised.empty())
        written = std::fwrite(normalised.data(), 1, normalised.size(), work) == normalised.size();
    if (std::fclose(work) != 0)
        written = false;
    if (!written || source.Failed()) {
        std::remove(name.c_str());
        return 0;
    }
    workFileName = name;
    return 1;
}

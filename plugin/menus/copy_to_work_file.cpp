#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

// Copies `pending` to `out`, with CR LF and a space put before every space
// whose window holds a marker. Windows only ever reach forward over text
// that was read, never over inserted characters.
void Normalise(const std::string& pending, std::string& out) {
    out.clear();
    out.reserve(pending.size() + pending.size() / 8);
    const std::string_view text(pending);
    size_t copied = 0;
    for (size_t space = text.find(' '); space != std::string_view::npos; space = text.find(' ', space + 1)) {
        if (!IsBreakMarker(text.substr(space, zorbit::kMarkerWindowChars)))
            continue;
        out.append(text.substr(copied, space - copied));
        out.append(kLineBreak);
        copied = space;
    }
    out.append(text.substr(copied));
}

}  // namespace

bool IsBreakMarker(std::string_view window) {
    // Called at every space of the file: look for markers only where one of
    // their first letters stands.
    for (size_t at = 0; at < window.size(); ++at) {
        const char c = window[at];
        if (c != 'M' && c != 'S' && c != 'T' && c != '<')
            continue;
        const std::string_view rest = window.substr(at);
        for (std::string_view marker : kMarkers) {
            if (rest.substr(0, marker.size()) == marker)
                return true;
        }
    }
    return false;
}

int CopyToWorkFile(const char* sourcePath, std::string& workFileName) {
    workFileName.clear();
    TextModeReader source(sourcePath);
    if (!source.IsOpen())
        return 0;
    std::string name;
    FILE* work = CreateWorkFile(name);
    if (!work)
        return 0;
    std::vector<char> workBuffer(64 * 1024);
    std::setvbuf(work, workBuffer.data(), _IOFBF, workBuffer.size());

    bool written = true;
    std::string chunk;
    std::string pending;
    std::string normalised;
    while (source.ReadLine(chunk, zorbit::kChunkChars)) {
        pending += chunk;
        Normalise(pending, normalised);
        if (std::fwrite(normalised.data(), 1, normalised.size(), work) != normalised.size()) {
            written = false;
            break;
        }
        // A space at the end of a chunk is carried into the next one (and so
        // written twice), so that a marker right after it is still found.
        if (!pending.empty() && pending.back() == ' ')
            pending.assign(1, ' ');
        else
            pending.clear();
    }
    if (std::fclose(work) != 0)
        written = false;
    if (!written || source.Failed()) {
        std::remove(name.c_str());
        return 0;
    }
    workFileName = name;
    return 1;
}

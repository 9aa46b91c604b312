#include <cstdio>
#include <string>
#include <string_view>

#include "plugin/menus/definition_parser.h"
#include "plugin/menus/text_mode_reader.h"
#include "plugin/menus/work_file.h"

namespace {

// Searched in this order; "BREAK" is not among them, so a column break never
// starts a line of its own.
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
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && IsBreakMarker(text.substr(i, zorbit::kMarkerWindowChars)))
            out.append(kLineBreak);
        out.push_back(text[i]);
    }
}

}  // namespace

bool IsBreakMarker(std::string_view window) {
    for (std::string_view marker : kMarkers) {
        if (window.find(marker) != std::string_view::npos)
            return true;
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

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "plugin/menus/keyword_scanner.h"
#include "plugin/menus/place_finder.h"
#include "plugin/menus/pase_data.h"
#include "plugin/menus/text_mode_reader.h"

namespace {

// The lines of the work file as fgets would read them in text mode with a
// buffer of kLineChars + 1 bytes, without decoding the file first: a CR
// right before an LF belongs to the newline, and neither a newline nor a CR
// can change how a line is classified, so each piece is given without its
// newline. The lines' texts point into `bytes`.
void ClassifyLines(CIEMenuData& target, std::string_view bytes) {
    KeywordScanner keywords(bytes);
    NewlineFinder newlines(bytes);
    bool pastEmbed = false;
    for (size_t at = 0; at < bytes.size();) {
        const size_t newline = newlines.Next(at);
        const bool found = newline < bytes.size();
        size_t contentEnd = newline;
        if (found && contentEnd > at && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        const size_t length = contentEnd - at + (found ? 1 : 0);
        for (size_t piece = 0; piece < length; piece += zorbit::kLineChars) {
            const size_t from = std::min(at + piece, contentEnd);
            const std::string_view line = bytes.substr(from, std::min(at + piece + zorbit::kLineChars, contentEnd) - from);
            // Only the lower-case tag ends the preamble; that line is dropped too.
            if (!pastEmbed) {
                pastEmbed = line.find("embed") != std::string_view::npos;
                continue;
            }
            // Most lines of a page carry no keyword: they are not kept.
            const std::string_view keyword = keywords.KeywordOf(from, from + line.size());
            if (!keyword.empty())
                target.AppendClassified(keyword, line);
        }
        at = found ? newline + 1 : bytes.size();
    }
}

int ReadWorkFile(CIEMenuData& target, const std::string& workFileName, size_t newlines) {
    // One read of the whole file; the lines' texts stay in it.
    size_t size = 0;
    std::unique_ptr<char[]> bytes = ReadFileUpToCtrlZ(workFileName.c_str(), size);
    if (!bytes)
        return 0;
    // Room for as many lines as the file was written with (and as many
    // pieces of long lines), so that the list never moves while it fills.
    target.Reserve(newlines + size / zorbit::kLineChars + 1);
    ClassifyLines(target, target.Keep(std::move(bytes), size));
    return 1;
}

// Deletes the work file however the read ends, a failed allocation included.
struct WorkFileRemover {
    const std::string& name;
    ~WorkFileRemover() { std::remove(name.c_str()); }
};

}  // namespace

int ReadDefinition(CIEMenuData& target, const char* sourcePath) {
    std::string workFileName;
    size_t newlines = 0;
    CopyToWorkFile(sourcePath, workFileName, newlines);
    if (workFileName.empty())
        return 0;
    const WorkFileRemover remover{workFileName};
    return ReadWorkFile(target, workFileName, newlines);
}

#include "installer/integration/bookmark_entry.h"

#include <algorithm>
#include <cstring>

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.compare(0, strlen(prefix), prefix) == 0; }

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

std::string BookmarkEntryLine(const std::string& productDirectory) {
    return "    <DT><A HREF=\"" + BookmarkAddress(productDirectory) + "\">Welcome to Zorbit</A>\r\n";
}

std::string RewriteBookmarkText(const std::string& text, const std::string& entryLine) {
    std::string result;
    result.reserve(text.size() + entryLine.size() + text.size() / 16);
    bool inserted = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        std::string line = text.substr(start, end - start);
        start = next;

        if (!inserted && line.find("<DL><p>") != std::string::npos) {
            inserted = true;
            result += line;
            result += "\r\n";
            result += entryLine;
        } else if (line.find("Welcome to Zorbit") == std::string::npos) {
            result += line;
            result += "\r\n";
        }
    }
    return result;
}

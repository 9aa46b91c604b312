#include "editor/document/address_target.h"

#include <cctype>
#include <vector>

namespace {

bool HasScheme(std::string_view address) {
    const size_t colon = address.find(':');
    // One letter before the colon is a drive.
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(address[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const char c = address[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

bool IsFullPath(std::string_view address) {
    if (address.size() >= 3 && address[1] == ':' && (address[2] == '\\' || address[2] == '/'))
        return true;
    return address.substr(0, 2) == "\\\\";
}

std::vector<std::string> Parts(std::string_view path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

}  // namespace

std::string ResolveAddress(const std::string& pagePath, std::string_view address) {
    if (address.empty() || HasScheme(address) || IsFullPath(address))
        return std::string(address);
    if (pagePath.empty())
        return std::string();
    const size_t tail = address.find_first_of("?#");
    const std::string_view path = address.substr(0, tail);

    std::vector<std::string> parts = Parts(pagePath);
    parts.pop_back();  // the page's own name
    if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
        parts.resize(1);  // the drive, or the empty start of a share path
    for (const std::string& part : Parts(path)) {
        if (part == "..") {
            if (parts.size() > 1)
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    std::string resolved;
    for (size_t i = 0; i < parts.size(); ++i)
        resolved += (i ? "\\" : "") + parts[i];
    if (tail == std::string_view::npos)
        return resolved;
    std::string url = "file:///";
    for (char c : resolved)
        url += c == '\\' ? '/' : c;
    return url + std::string(address.substr(tail));
}

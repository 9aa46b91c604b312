#include "tools/browser/url_resolver.h"

#include <cctype>
#include <vector>

namespace zorbit::browser {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsSlash(char c) { return c == '/' || c == '\\'; }

bool HasDrive(const std::string& s) {
    return s.size() >= 2 && IsLetter(s[0]) && (s[1] == ':' || s[1] == '|');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecode(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            int hi = HexValue(s[i + 1]);
            int lo = HexValue(s[i + 2]);
            if (hi >= 0 && lo >= 0 && (hi || lo)) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// Drops "." and ".." segments of a path whose root (drive "C:" or UNC
// "\\server\share") is given separately.
std::string Normalize(const std::string& root, const std::string& rest) {
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() {
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (char c : rest) {
        if (IsSlash(c)) flush();
        else part += c;
    }
    flush();
    std::string out = root;
    for (const auto& p : parts) out += "\\" + p;
    if (parts.empty()) out += "\\";
    return out;
}

// Splits an absolute backslash path into its root and the rest.
void SplitRoot(const std::string& path, std::string* root, std::string* rest) {
    if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
        // \\server\share\rest
        size_t server = path.find_first_of("\\/", 2);
        size_t share = server == std::string::npos ? std::string::npos : path.find_first_of("\\/", server + 1);
        if (share == std::string::npos) {
            *root = path;
            rest->clear();
        } else {
            *root = path.substr(0, share);
            *rest = path.substr(share);
        }
        for (char& c : *root) {
            if (c == '/') c = '\\';
        }
        return;
    }
    if (HasDrive(path)) {
        *root = std::string(1, path[0]) + ":";
        *rest = path.substr(2);
        return;
    }
    root->clear();
    *rest = path;
}

}  // namespace

bool IsRemoteUrl(const std::string& url) {
    size_t i = 0;
    while (i < url.size() && (IsLetter(url[i]) || (i > 0 && (std::isdigit(static_cast<unsigned char>(url[i])) ||
                                                             url[i] == '+' || url[i] == '-' || url[i] == '.'))))
        ++i;
    if (i < 2 || i >= url.size() || url[i] != ':') return false;
    std::string scheme = url.substr(0, i);
    for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return scheme != "file";
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    if (slash == 2 && HasDrive(path)) return path.substr(0, 2);
    return path.substr(0, slash);
}

std::string ResolveLocalPath(const std::string& url, const std::string& baseDir) {
    if (url.empty() || IsRemoteUrl(url)) return std::string();
    std::string s = url;
    bool fromFileUrl = false;
    if (s.size() >= 5 && (s.compare(0, 5, "file:") == 0 || s.compare(0, 5, "FILE:") == 0 ||
                          s.compare(0, 5, "File:") == 0)) {
        s = s.substr(5);
        fromFileUrl = true;
    }
    size_t cut = s.find_first_of("?#");
    if (cut != std::string::npos) s = s.substr(0, cut);
    if (fromFileUrl) {
        s = PercentDecode(s);
        size_t slashes = 0;
        while (slashes < s.size() && IsSlash(s[slashes])) ++slashes;
        std::string after = s.substr(slashes);
        if (HasDrive(after)) {
            s = after;
        } else if (slashes == 2 && !after.empty()) {
            s = "\\\\" + after;  // file://server/share
        } else if (slashes > 0) {
            s = "\\" + after;  // root of the page's drive
        }
    }
    if (s.empty()) return std::string();

    std::string root, rest;
    SplitRoot(s, &root, &rest);
    if (!root.empty()) return Normalize(root, rest);

    std::string baseRoot, baseRest;
    SplitRoot(baseDir, &baseRoot, &baseRest);
    if (IsSlash(s[0])) return Normalize(baseRoot, s);
    return Normalize(baseRoot, baseRest + "\\" + s);
}

std::string FileUrlFor(const std::string& path) {
    std::string out = "file:///";
    if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) out = "file:";
    for (char c : path) out += c == '\\' ? '/' : c;
    return out;
}

}  // namespace zorbit::browser

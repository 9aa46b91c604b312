#include "tools/browser/browser_log.h"

namespace zorbit::browser {

BrowserLog::~BrowserLog() { Close(); }

bool BrowserLog::Open(const std::string& path) {
    Close();
    if (path.empty()) return false;
    file_ = std::fopen(path.c_str(), "ab");
    return file_ != nullptr;
}

void BrowserLog::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void BrowserLog::Write(const std::string& line) {
    if (!file_) return;
    std::string out;
    for (char c : line) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    out += "\r\n";
    std::fwrite(out.data(), 1, out.size(), file_);
    std::fflush(file_);
}

}  // namespace zorbit::browser

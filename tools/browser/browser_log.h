// The browser's event log: one line per event, flushed at once, so that a
// test or a person can follow what the browser did.
#pragma once

#include <cstdio>
#include <string>

namespace zorbit::browser {

class BrowserLog {
public:
    BrowserLog() = default;
    ~BrowserLog();
    BrowserLog(const BrowserLog&) = delete;
    BrowserLog& operator=(const BrowserLog&) = delete;

    // Appends to the file (created when missing). "" leaves the log off.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Writes the line and CR LF; line breaks inside are shown as "\n".
    void Write(const std::string& line);

private:
    FILE* file_ = nullptr;
};

}  // namespace zorbit::browser

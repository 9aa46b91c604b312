// The browser's event log: one line per event, flushed at once, so that a
// test or a person can follow what the browser did. Lines (n is the
// instance number, counted from 1 over the browser's life):
//   start <exe path> plugins=<plug-in folder>
//   plugin <dll path> types=<type>|<type>...     a library found in the folder
//   open <page path>                             a page is shown
//   noplugin <type>                              an embed no library serves
//   load <dll path> / unload <dll path>
//   getentrypoints result=<r> / initialize result=<r> / shutdown result=<r>
//   newp n <type> argc=<c> <name>="<value>"... result=<r>
//   setwindow n <width>x<height> result=<r>
//   destroy n result=<r>
//   geturl <url> target=(null)                   a request for a stream
//   navigate <url> target=<target>               a request to show a page
//   remote <url>                                 not fetched: not a local file
//   missing <path>                               a local file that is not there
//   newstream n <url> type=<mime> stype=<s> result=<r>
//   write n offset=<o> len=<l> result=<r>
//   asfile n <local path>
//   destroystream n reason=<r> result=<r>
//   status <text>                                what a plug-in put in the status bar
//   close
//   menubar begin / menuitem ... / menubar end    on request, see menu_bar_dump.h
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

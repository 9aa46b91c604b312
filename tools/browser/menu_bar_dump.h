// Writes a menu bar into the browser's log, item by item and popup by popup,
// for tests in another process (menus of another process cannot be read
// under Wine). The frame does it when it receives the registered message
// "ZorbitBrowserDumpMenuBar". Lines:
//   menubar begin
//   menuitem <path> id=<id> type=<MFT_ flags, hex> popup=<0|1> bitmap=<0|1> text=<text>
//   menubar end
// <path> is "6" for bar item 6 and "6.2" for item 2 of its popup.
#pragma once

#include <windows.h>

namespace zorbit::browser {

class BrowserLog;

extern const char kDumpMenuBarMessage[];

void DumpMenuBar(HMENU bar, BrowserLog& log);

}  // namespace zorbit::browser

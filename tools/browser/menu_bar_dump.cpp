#include "tools/browser/menu_bar_dump.h"

#include <string>

#include "tools/browser/browser_log.h"

namespace zorbit::browser {

const char kDumpMenuBarMessage[] = "ZorbitBrowserDumpMenuBar";

namespace {

// Popups nested deeper than this are not followed (a menu that holds itself).
const int kMaxDepth = 8;

void DumpItems(HMENU menu, const std::string& prefix, int depth, BrowserLog& log) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[512] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
        bool bitmap = (info.fType & MFT_BITMAP) || info.hbmpItem;
        if (info.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)) text[0] = 0;
        char type[16];
        wsprintfA(type, "%x", info.fType);
        std::string path = prefix + std::to_string(i);
        log.Write("menuitem " + path + " id=" + std::to_string(info.wID) + " type=" + type +
                  " popup=" + (info.hSubMenu ? "1" : "0") + " bitmap=" + (bitmap ? "1" : "0") + " text=" + text);
        if (info.hSubMenu && depth < kMaxDepth) DumpItems(info.hSubMenu, path + ".", depth + 1, log);
    }
}

}  // namespace

void DumpMenuBar(HMENU bar, BrowserLog& log) {
    log.Write("menubar begin");
    if (bar) DumpItems(bar, "", 0, log);
    log.Write("menubar end");
}

}  // namespace zorbit::browser

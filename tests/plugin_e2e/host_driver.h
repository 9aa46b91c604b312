// Drives the browser host in this process as a user would: keys typed at
// the focused frame, the frame's menu bar and status bar read back, the
// host's log followed, handle counts of the process probed.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/menu_items.h"
#include "tests/support/message_pump.h"

namespace plugin_e2e {

using support::DosPath;
using support::PluginMessagesSeen;
using support::PumpFor;
using support::PumpUntil;
using support::ReadLines;

// Presses and releases each key in turn; a key given with kAlt is typed
// with Alt held down.
constexpr WORD kAlt = 0x8000;
void TypeKeys(std::initializer_list<WORD> keys);

using BarItem = support::MenuItem;
inline std::vector<BarItem> ReadMenu(HMENU menu) { return support::ReadItems(menu); }

std::string StatusText(HWND statusBar);

// Live objects of this process, counted by probing every handle value (Wine
// takes a handle's low word for any of its generations).
int LiveMenus();
int LiveGdiObjects();

}  // namespace plugin_e2e

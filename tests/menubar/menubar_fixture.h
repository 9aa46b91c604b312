// Menu entries for the menu-bar tests, and the shared frames, target
// windows, menu reader and pumps under the names these tests use.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "plugin/menus/bar_menu_data.h"
#include "tests/support/menu_items.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_windows.h"

namespace menubar_test {

using support::DrainPluginMessages;
using support::Frame;
using support::MenuItem;
using support::PumpPending;
using support::ReadItem;
using support::ReadItems;
using support::Target;

std::unique_ptr<CItemData> Entry(const char* name, EntryKind kind, int depth);

// What a manager's set holds now, as plain handles; all empty without a set.
struct SetView {
    std::vector<HMENU> createdMenus;
    HBITMAP faceBitmap = nullptr;
    HBITMAP dividerBitmap = nullptr;
    HWND frameWnd = nullptr;
    HMENU frameMenu = nullptr;
    int32_t baseItemCount = 0;
    HOOKPROC commandHookProc = nullptr;
    HOOKPROC selectHookProc = nullptr;
};
SetView SetOf(const CBarMenuData& data);

// The menus of the worked example: a title Reading holding Daily news, the
// submenu Archive with 1998, a separator, a break and Help.
void AddWorkedExample(CBarMenuData& data);

}  // namespace menubar_test

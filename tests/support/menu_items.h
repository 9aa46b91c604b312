// Menu items read back from real menus with GetMenuItemInfoA.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace support {

struct MenuItem {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    HBITMAP bitmap = nullptr;
    std::string text;  // empty for pictures and separators
};

// Item `position` of `menu`; a failed read is a test failure.
MenuItem ReadItem(HMENU menu, int position);
std::vector<MenuItem> ReadItems(HMENU menu);

// How many menus of this process exist, found by their 16-bit handles, which
// the platform takes for the menu whatever its generation.
int LiveMenuCount();

}  // namespace support

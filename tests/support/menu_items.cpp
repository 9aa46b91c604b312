#include "tests/support/menu_items.h"

#include <gtest/gtest.h>

namespace support {

MenuItem ReadItem(HMENU menu, int position) {
    MenuItem item;
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
        ADD_FAILURE() << "GetMenuItemInfoA failed at position " << position;
        return item;
    }
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.submenu = info.hSubMenu;
    item.bitmap = info.hbmpItem;
    if (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR)))
        item.text = text;
    // A picture appended with MF_BITMAP is reported through the old field.
    if ((info.fType & MFT_BITMAP) && !item.bitmap) {
        MENUITEMINFOA legacy = {};
        legacy.cbSize = sizeof(legacy);
        legacy.fMask = MIIM_TYPE;
        GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &legacy);
        item.bitmap = reinterpret_cast<HBITMAP>(legacy.dwTypeData);
    }
    return item;
}

std::vector<MenuItem> ReadItems(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        items.push_back(ReadItem(menu, i));
    return items;
}

int LiveMenuCount() {
    int count = 0;
    for (UINT_PTR handle = 0x20; handle < 0x10000; handle += 2)
        count += IsMenu(reinterpret_cast<HMENU>(handle)) ? 1 : 0;
    return count;
}

}  // namespace support

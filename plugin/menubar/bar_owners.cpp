#include "plugin/menubar/bar_owners.h"

#include <algorithm>
#include <vector>

#include "plugin/menubar/menu_bar_set.h"

namespace zorbit {

namespace {

// Sets recorded on a bar, shown or waiting, in the order they joined.
std::vector<MenuBarSet*> g_owners;

// Tags are never given twice, so a menu that outlives its set, or one of
// the browser's, can never pass for a live set's.
uintptr_t g_lastTag = 0x2B0B0000;

}  // namespace

bool JoinBar(MenuBarSet& owner, HWND frame) {
    OwnersLock lock;
    const bool shown = ShownOnBar(frame) == nullptr;
    g_owners.push_back(&owner);
    owner.frameWnd = frame;
    owner.waitingForBar = !shown;
    owner.menuTag = shown ? ++g_lastTag : 0;
    return shown;
}

MenuBarSet* LeaveBar(MenuBarSet& owner) {
    OwnersLock lock;
    const HWND frame = owner.frameWnd;
    const bool wasShown = !owner.waitingForBar;
    owner.frameWnd = nullptr;
    owner.waitingForBar = false;
    owner.menuTag = 0;
    const auto found = std::find(g_owners.begin(), g_owners.end(), &owner);
    if (found == g_owners.end())
        return nullptr;
    g_owners.erase(found);
    // A frame that has gone has no bar to hand over.
    if (!wasShown || !IsWindow(frame))
        return nullptr;
    for (MenuBarSet* next : g_owners)
        if (next->frameWnd == frame)
            return next;
    return nullptr;
}

MenuBarSet* ShownOnBar(HWND frame) {
    if (!frame)
        return nullptr;
    for (MenuBarSet* owner : g_owners)
        if (owner->frameWnd == frame && !owner->waitingForBar)
            return owner;
    return nullptr;
}

HWND FrameOf(HWND hwnd) {
    HWND frame = hwnd;
    for (HWND parent = GetParent(hwnd); parent; parent = GetParent(parent))
        frame = parent;
    return frame;
}

void TagMenu(HMENU menu, uintptr_t tag) {
    if (!menu)
        return;
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = tag;
    SetMenuInfo(menu, &info);
}

uintptr_t MenuTag(HMENU menu) {
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    if (!menu || !GetMenuInfo(menu, &info))
        return 0;
    return info.dwMenuData;
}

}  // namespace zorbit

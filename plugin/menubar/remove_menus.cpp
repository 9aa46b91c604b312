// Takes the plug-in's menus out of the frame's menu bar again and frees
// every menu and picture that installation created.
#include <utility>
#include <vector>

#include "plugin/menubar/bar_owners.h"
#include "plugin/menubar/menu_bar_set.h"

namespace {

// Items from baseItemCount on are ours (or were appended after ours); they
// come off by position without being destroyed, since the created menus
// are destroyed below, each exactly once.
void TakeItemsOffBar(HMENU bar, int32_t baseItemCount) {
    if (!bar || !IsMenu(bar))
        return;
    int first = baseItemCount > 0 ? baseItemCount : 0;
    for (int position = GetMenuItemCount(bar) - 1; position >= first; --position)
        RemoveMenu(bar, static_cast<UINT>(position), MF_BYPOSITION);
}

}  // namespace

// The platform destroys a menu's submenus by recursing once per level, on a
// stack of its own that some thousands of levels overflow, whatever the
// thread's stack. So the tree is taken apart from the deepest level up: each
// submenu is taken off its parent first, and every DestroyMenu meets a menu
// without submenus.
bool MenuTreeTraits::Free(HMENU root) {
    if (!IsMenu(root))
        return true;
    struct Open {
        HMENU menu;
        int unseen;  // positions below this may still hold submenus
    };
    std::vector<Open> path{{root, GetMenuItemCount(root)}};
    while (!path.empty()) {
        Open& deepest = path.back();
        HMENU submenu = nullptr;
        while (!submenu && deepest.unseen > 0) {
            --deepest.unseen;
            submenu = GetSubMenu(deepest.menu, deepest.unseen);
        }
        if (submenu) {
            RemoveMenu(deepest.menu, static_cast<UINT>(deepest.unseen), MF_BYPOSITION);
            path.push_back({submenu, GetMenuItemCount(submenu)});
            continue;
        }
        DestroyMenu(deepest.menu);
        path.pop_back();
    }
    return true;
}

namespace {

// The bar shrank: have the frame lay out its non-client area again, at the
// size it has now.
void RelayoutFrame(HWND frame) {
    if (!frame || !IsWindow(frame))
        return;
    DrawMenuBar(frame);
    SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void MenuBarSet::Remove() {
    TakeItemsOffBar(frameMenu, baseItemCount);
    // From the last made to the first.
    while (!createdMenus.empty())
        createdMenus.pop_back();
    faceBitmap.reset();
    dividerBitmap.reset();

    if (!waitingForBar)
        RelayoutFrame(frameWnd);
    const HWND frame = frameWnd;
    frameMenu = nullptr;
    baseItemCount = 0;
    // The next page waiting for this bar shows its set now. Out of memory
    // half-way, what it made so far is recorded and goes with it.
    if (MenuBarSet* next = zorbit::LeaveBar(*this)) {
        try {
            next->menus.InstallMenus(frame);
        } catch (...) {
        }
    }
}

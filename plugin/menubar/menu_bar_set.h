// One CBarMenuData's menus on a frame's menu bar and its share of its
// thread's hooks: everything of the menu manager that is Windows. It owns
// what installation creates, and with it go the menus off the bar, the
// menus and pictures, and the hooks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/owned_handles.h"
#include "plugin/menus/bar_menu_data.h"

// A created menu with everything below it. The platform destroys submenus
// by recursing on a stack of its own, which some thousands of levels
// overflow, so the tree is taken apart from the deepest level up. A menu
// the frame's bar took with it when the frame was destroyed is gone already.
struct MenuTreeTraits : NullMeansNone<HMENU> {
    static bool Free(HMENU menu);
};
using OwnedMenuTree = OwnedHandle<HMENU, MenuTreeTraits>;

class MenuBarSet {
public:
    explicit MenuBarSet(CBarMenuData& owner) : menus(owner) {}
    // Takes the menus off the bar, then lets go of the hooks.
    ~MenuBarSet();
    MenuBarSet(const MenuBarSet&) = delete;
    MenuBarSet& operator=(const MenuBarSet&) = delete;

    // The set of a menu manager, made on first use.
    static MenuBarSet& Of(CBarMenuData& menus);

    // RemoveMenus: the items from baseItemCount on come off the bar, every
    // created menu and picture is freed, and a set waiting for this bar
    // takes it.
    void Remove();
    void ReleaseHooks();

    std::vector<HMENU> CreatedMenus() const {
        std::vector<HMENU> handles;
        for (const OwnedMenuTree& menu : createdMenus)
            handles.push_back(menu.get());
        return handles;
    }

    CBarMenuData& menus;  // the entries it shows

    // Filled by InstallMenus, emptied by RemoveMenus.
    HWND frameWnd = nullptr;
    HMENU frameMenu = nullptr;
    int32_t baseItemCount = 0;
    std::vector<OwnedMenuTree> createdMenus;
    OwnedBitmap faceBitmap;
    OwnedBitmap dividerBitmap;
    // Set while another set holds frameWnd's bar.
    bool waitingForBar = false;
    // The tag every menu of this set carries; 0 when none is shown.
    uintptr_t menuTag = 0;

    // Filled by InstallHooks and SetTargetWindow: whether this set holds a
    // share of its thread's hooks, on which thread, and the window it wants
    // the forwarded messages posted to.
    HOOKPROC commandHookProc = nullptr;
    HOOKPROC selectHookProc = nullptr;
    bool hooksInstalled = false;
    HWND hookTarget = nullptr;
    uint32_t hookThread = 0;
};

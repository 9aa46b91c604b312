// Takes the plug-in's menus out of the frame's menu bar again and frees
// every menu and picture that installation created.
#include <utility>

#include "plugin/menubar/owned_handles.h"
#include "plugin/menus/bar_menu_data.h"

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

void CBarMenuData::RemoveMenus() {
    TakeItemsOffBar(frameMenu, baseItemCount);

    while (!createdMenus.empty()) {
        HMENU menu = createdMenus.back();
        createdMenus.pop_back();
        // A menu that the frame's own bar took with it when the frame was
        // destroyed is already gone.
        if (menu && IsMenu(menu))
            DestroyMenu(menu);
    }
    OwnedBitmap face(std::exchange(faceBitmap, nullptr));
    OwnedBitmap divider(std::exchange(dividerBitmap, nullptr));

    RelayoutFrame(frameWnd);
    frameWnd = nullptr;
    frameMenu = nullptr;
    baseItemCount = 0;
}

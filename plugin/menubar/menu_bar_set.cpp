#include "plugin/menubar/menu_bar_set.h"

namespace {

void DestroySet(MenuBarSet* set) { delete set; }

}  // namespace

MenuBarSet::~MenuBarSet() {
    Remove();
    ReleaseHooks();
}

MenuBarSet& MenuBarSet::Of(CBarMenuData& menus) {
    if (!menus.bar)
        menus.bar = {new MenuBarSet(menus), MenuBarSetDeleter{&DestroySet}};
    return *menus.bar;
}

void CBarMenuData::RemoveMenus() {
    if (bar)
        bar->Remove();
}

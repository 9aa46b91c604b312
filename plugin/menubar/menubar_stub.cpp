// Placeholder until the menu-bar integration lands.
#include "plugin/menus/bar_menu_data.h"

void CBarMenuData::RemoveMenus() {}
void CBarMenuData::ReleaseHooks() {}

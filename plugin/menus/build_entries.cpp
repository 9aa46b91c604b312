#include "plugin/menus/bar_menu_data.h"

void CBarMenuData::BuildEntries(const std::vector<std::unique_ptr<CPaseData>>& lines) {
    definitionEntries.clear();
    (void)lines;
}

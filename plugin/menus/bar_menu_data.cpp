#include "plugin/menus/bar_menu_data.h"

namespace {

void DeleteFromLast(std::vector<std::unique_ptr<CItemData>>& entries) {
    while (!entries.empty())
        entries.pop_back();
}

}  // namespace

CBarMenuData::~CBarMenuData() {
    DeleteFromLast(definitionEntries);
    DeleteFromLast(collectionEntries);
#ifdef _WIN32
    RemoveMenus();
    ReleaseHooks();
#endif
}

std::string CBarMenuData::GetEntryUrl(uint32_t index) const {
    if (index == 0 || index >= definitionEntries.size())
        return std::string();
    return definitionEntries[index]->url;
}

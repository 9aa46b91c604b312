#include "plugin/menus/bar_menu_data.h"

#include "plugin/menus/command_ids.h"

namespace {

void DeleteFromLast(std::vector<std::unique_ptr<CItemData>>& entries) {
    while (!entries.empty())
        entries.pop_back();
}

}  // namespace

CBarMenuData::~CBarMenuData() {
    definitionEntries.clear();
    DeleteFromLast(collectionEntries);
    bar.reset();  // takes the menus off the bar, then removes the hooks
}

std::string CBarMenuData::GetEntryUrl(uint32_t index) const {
    // An entry past the last identifier has none: nothing may open it.
    if (index == 0 || index >= definitionEntries.size() || index > zorbit::kLastDefinitionIndex)
        return std::string();
    return std::string(definitionEntries[index]->url);
}

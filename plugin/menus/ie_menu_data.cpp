#include "plugin/menus/ie_menu_data.h"

#include "plugin/menus/bar_menu_data.h"

CIEMenuData::~CIEMenuData() {
    while (!lines_.empty())
        lines_.pop_back();
}

void CIEMenuData::Append(std::unique_ptr<CPaseData> line) {
    lines_.push_back(std::move(line));
}

int CIEMenuData::TransferTo(CBarMenuData* manager) const {
    if (!manager)
        return 0;
    manager->BuildEntries(lines_);
    return 1;
}

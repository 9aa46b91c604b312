#include "plugin/menus/ie_menu_data.h"

#include <utility>

#include "plugin/menus/bar_menu_data.h"

CIEMenuData::~CIEMenuData() {
    while (!lines_.empty())
        lines_.pop_back();
}

std::string_view CIEMenuData::Keep(std::string text) {
    texts_.push_back(std::make_shared<const std::string>(std::move(text)));
    return *texts_.back();
}

int CIEMenuData::TransferTo(CBarMenuData* manager) const {
    if (!manager)
        return 0;
    manager->BuildEntries(lines_, texts_);
    return 1;
}

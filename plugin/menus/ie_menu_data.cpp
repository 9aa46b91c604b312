#include "plugin/menus/ie_menu_data.h"

#include <utility>

#include "plugin/menus/bar_menu_data.h"

CIEMenuData::~CIEMenuData() {
    while (!lines_.empty())
        lines_.pop_back();
}

std::string_view CIEMenuData::Keep(std::unique_ptr<char[]> text, size_t size) {
    const std::string_view kept(text.get(), size);
    texts_.push_back(std::shared_ptr<const char[]>(std::move(text)));
    return kept;
}

int CIEMenuData::TransferTo(CBarMenuData* manager) const {
    if (!manager)
        return 0;
    manager->BuildEntries(lines_, texts_);
    return 1;
}

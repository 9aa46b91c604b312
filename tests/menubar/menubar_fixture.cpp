#include "tests/menubar/menubar_fixture.h"

#include "plugin/menubar/menu_bar_set.h"

namespace menubar_test {

std::unique_ptr<CItemData> Entry(const char* name, EntryKind kind, int depth) {
    return std::make_unique<CItemData>(name, kind == Item ? "page.htm" : "", kind, depth);
}

SetView SetOf(const CBarMenuData& data) {
    SetView view;
    if (!data.bar)
        return view;
    const MenuBarSet& set = *data.bar;
    view.createdMenus = set.CreatedMenus();
    view.faceBitmap = set.faceBitmap.get();
    view.dividerBitmap = set.dividerBitmap.get();
    view.frameWnd = set.frameWnd;
    view.frameMenu = set.frameMenu;
    view.baseItemCount = set.baseItemCount;
    view.commandHookProc = set.commandHookProc;
    view.selectHookProc = set.selectHookProc;
    return view;
}

void AddWorkedExample(CBarMenuData& data) {
    data.definitionEntries.push_back(Entry("Reading", Title, 0));
    data.definitionEntries.push_back(Entry("Daily news", Item, 1));
    data.definitionEntries.push_back(Entry("Archive", Submenu, 1));
    data.definitionEntries.push_back(Entry("1998", Item, 2));
    data.definitionEntries.push_back(Entry("", Separator, 1));
    data.definitionEntries.push_back(Entry("", Break, 1));
    data.definitionEntries.push_back(Entry("Help", Item, 1));
}

}  // namespace menubar_test

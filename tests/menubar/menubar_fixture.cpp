#include "tests/menubar/menubar_fixture.h"

namespace menubar_test {

std::unique_ptr<CItemData> Entry(const char* name, EntryKind kind, int depth) {
    return std::make_unique<CItemData>(name, kind == Item ? "page.htm" : "", kind, depth);
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

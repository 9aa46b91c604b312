#include "editor/document/menu_placement.h"

#include "plugin/menus/menu_nesting.h"

std::vector<size_t> ParentEntries(const std::vector<zorbit::MenuEntry>& entries) {
    std::vector<size_t> parents;
    for (const zorbit::EntryPlace& place : zorbit::PlaceEntriesOf(entries))
        parents.push_back(place.parent);
    return parents;
}

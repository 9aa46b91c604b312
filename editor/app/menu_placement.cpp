#include "editor/app/menu_placement.h"

#include "plugin/menus/menu_nesting.h"

std::vector<size_t> ParentEntries(const std::vector<zorbit::MenuEntry>& entries) {
    std::vector<size_t> parents(entries.size(), kNoParent);
    // The plug-in's holder menu, never shown, stands as kNoParent.
    zorbit::MenuNesting<size_t> nesting(kNoParent);
    for (size_t j = 0; j < entries.size(); ++j) {
        const zorbit::MenuEntry& entry = entries[j];
        nesting.Leave(entry.depth);
        if (entry.kind != Title)
            parents[j] = nesting.current();
        if (entry.kind == Title || (entry.kind == Submenu && nesting.SubmenuFits()))
            nesting.Open(j);
    }
    return parents;
}

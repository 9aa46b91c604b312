#include "editor/app/menu_placement.h"

std::vector<size_t> ParentEntries(const std::vector<zorbit::MenuEntry>& entries) {
    std::vector<size_t> parents(entries.size(), kNoParent);
    size_t current = kNoParent;  // the plug-in's holder menu, never shown
    std::vector<size_t> stack;
    int level = 0;
    for (size_t j = 0; j < entries.size(); ++j) {
        const zorbit::MenuEntry& entry = entries[j];
        while (entry.depth < level) {
            if (stack.empty()) {
                level = 0;
                break;
            }
            current = stack.back();
            stack.pop_back();
            --level;
        }
        if (entry.kind != Title)
            parents[j] = current;
        if (entry.kind == Title || entry.kind == Submenu) {
            stack.push_back(current);
            ++level;
            current = j;
        }
    }
    return parents;
}

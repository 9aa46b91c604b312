// The tree nests entries as the plug-in's menus do.
#include <gtest/gtest.h>

#include <vector>

#include "editor/document/menu_placement.h"
#include "plugin/menus/menu_nesting.h"

namespace {

zorbit::MenuEntry Entry(EntryKind kind, int depth) {
    zorbit::MenuEntry entry;
    entry.kind = kind;
    entry.depth = depth;
    return entry;
}

TEST(MenuPlacement, EntriesNestAsTheMenusDo) {
    // An item before the first title, a title with a submenu, one submenu
    // "END" too many (the depth stays 0), and an item after it.
    const std::vector<zorbit::MenuEntry> entries = {
        Entry(Item, 0), Entry(Title, 0), Entry(Submenu, 1), Entry(Item, 2), Entry(Item, 1),
        Entry(Title, 0), Entry(Item, 0), Entry(Item, 3),
    };
    const std::vector<size_t> expected = {kNoParent, kNoParent, 1, 2, 1, kNoParent, kNoParent, kNoParent};
    EXPECT_EQ(expected, ParentEntries(entries));
}

TEST(MenuPlacement, EntriesPastTheDeepestLevelStayInItAsInTheBrowser) {
    // The title (0) and its submenus 1 .. deepest - 1, each inside the one before.
    const int deepest = zorbit::kMaxMenuLevels;
    std::vector<zorbit::MenuEntry> entries = {Entry(Title, 0)};
    std::vector<size_t> expected = {kNoParent};
    for (int depth = 1; depth < deepest; ++depth) {
        entries.push_back(Entry(Submenu, depth));
        expected.push_back(entries.size() - 2);
    }
    const size_t last = entries.size() - 1;
    const struct {
        EntryKind kind;
        int depth;
        size_t parent;
    } rows[] = {
        {Submenu, deepest, last},     {Item, deepest + 1, last}, {Submenu, deepest + 1, last},
        {Item, deepest + 5, last},    {Item, deepest, last},     {Item, deepest - 1, last - 1},
    };
    for (const auto& row : rows) {
        entries.push_back(Entry(row.kind, row.depth));
        expected.push_back(row.parent);
    }
    EXPECT_EQ(expected, ParentEntries(entries));
}

}  // namespace

// The tree nests entries as the plug-in's menus do.
#include <gtest/gtest.h>

#include <vector>

#include "editor/app/menu_placement.h"

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

}  // namespace

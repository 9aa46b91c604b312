#include <gtest/gtest.h>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/ie_menu_data.h"

namespace {

std::unique_ptr<CItemData> Entry(const char* name, const char* url, EntryKind kind, int depth) {
    return std::make_unique<CItemData>(name, url, kind, depth);
}

TEST(MenuModel, NewEntryIsAnEmptyItemAtDepthZero) {
    CItemData entry;
    EXPECT_EQ("", entry.name);
    EXPECT_EQ("", entry.url);
    EXPECT_EQ(Item, entry.kind);
    EXPECT_EQ(0, entry.depth);
}

TEST(MenuModel, RuntimeClassNames) {
    EXPECT_STREQ("CPaseData", CPaseData::GetRuntimeClassName());
    EXPECT_STREQ("CIEMenuData", CIEMenuData::GetRuntimeClassName());
}

TEST(MenuModel, GetEntryUrlTreatsIndexZeroAndPastTheEndAsAbsent) {
    CBarMenuData menus;
    menus.definitionEntries.push_back(Entry("Top", "zero.htm", Item, 0));
    menus.definitionEntries.push_back(Entry("One", "one.htm", Item, 1));
    menus.definitionEntries.push_back(Entry("", "", Separator, 1));
    EXPECT_EQ("", menus.GetEntryUrl(0));
    EXPECT_EQ("one.htm", menus.GetEntryUrl(1));
    EXPECT_EQ("", menus.GetEntryUrl(2));
    EXPECT_EQ("", menus.GetEntryUrl(3));
    EXPECT_EQ("", menus.GetEntryUrl(0xFFFFFFFFu));
}

// 3000 + j fits the 16 bits of WM_COMMAND up to entry 62535; a command whose
// high bits are set (an accelerator's) must not reach the entries beyond.
TEST(MenuModel, GetEntryUrlEndsAtTheLastCommandIdentifier) {
    CBarMenuData menus;
    for (int j = 0; j < 62540; ++j)
        menus.definitionEntries.push_back(Entry("Page", ("p" + std::to_string(j)).c_str(), Item, 1));
    struct Case { uint32_t index; const char* url; } cases[] = {
        {62534, "p62534"}, {62535, "p62535"}, {62536, ""}, {62539, ""}, {65536 + 1, ""},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].url, menus.GetEntryUrl(cases[i].index)) << "case " << i;
    EXPECT_EQ(0xFFFFu, zorbit::DefinitionCommand(zorbit::kLastDefinitionIndex));
}

TEST(MenuModel, CommandNumbering) {
    EXPECT_EQ(2998u, zorbit::CollectionCommand(0));
    EXPECT_EQ(2921u, zorbit::CollectionCommand(77));
    EXPECT_EQ(2920u, zorbit::CollectionCommand(78));
    EXPECT_GT(zorbit::CollectionCommand(77), zorbit::kCommandForwardThreshold);
    EXPECT_FALSE(zorbit::CollectionCommand(78) > zorbit::kCommandForwardThreshold);
    EXPECT_EQ(3006u, zorbit::DefinitionCommand(6));
    EXPECT_EQ(1034u, zorbit::kPluginCommandMessage);
    EXPECT_EQ(1035u, zorbit::kPluginSelectMessage);
}

TEST(MenuModel, TransferWithoutManagerGivesZero) {
    CIEMenuData lines;
    EXPECT_EQ(0, lines.TransferTo(nullptr));
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/ie_menu_data.h"
#include "tests/menus/expect_entries.h"

namespace {

using Lines = std::vector<std::pair<const char*, const char*>>;  // keyword, text

std::vector<CPaseData> MakeLines(const Lines& lines) {
    std::vector<CPaseData> out;
    for (const auto& [keyword, text] : lines) {
        CPaseData& data = out.emplace_back();
        data.keyword = keyword;
        data.text = text;
    }
    return out;
}

TEST(BuildEntries, WorkedExample) {
    CBarMenuData menus;
    menus.BuildEntries(MakeLines({
        {"TITLE", "Reading"}, {"MENUITEM", "Daily news;news.htm"}, {"SUBMENU", "Archive"},
        {"MENUITEM", "1998;a98.htm"}, {"SUBMENU", "END"}, {"SEPARATOR", ""}, {"BREAK", ""},
        {"MENUITEM", "Help;help.htm"}, {"TITLE", "END"},
    }));
    EXPECT_ENTRIES(menus, WorkedExampleEntries());
}

TEST(BuildEntries, NestingCount) {
    const struct {
        Lines lines;
        std::vector<ExpectedEntry> entries;
    } cases[] = {
        // One "SUBMENU" "END" too many: depth 0 from there on, even after the
        // next title, until "TITLE" "END".
        {{{"TITLE", "A"}, {"SUBMENU", "END"}, {"SUBMENU", "END"}, {"MENUITEM", "x;x.htm"}, {"TITLE", "B"},
          {"MENUITEM", "y;y.htm"}, {"TITLE", "END"}, {"TITLE", "C"}, {"MENUITEM", "z;z.htm"}},
         {{Title, "A", "", 0}, {Item, "x", "x.htm", 0}, {Title, "B", "", 0}, {Item, "y", "y.htm", 0},
          {Title, "C", "", 0}, {Item, "z", "z.htm", 1}}},
        // A missing "SUBMENU" "END" keeps the next entries inside the submenu.
        {{{"TITLE", "A"}, {"SUBMENU", "S"}, {"MENUITEM", "x;x"}, {"SEPARATOR", "sep"}, {"BREAK", ""},
          {"SUBMENU", "T"}, {"MENUITEM", "y;y"}},
         {{Title, "A", "", 0}, {Submenu, "S", "", 1}, {Item, "x", "x", 2}, {Separator, "", "", 2},
          {Break, "", "", 2}, {Submenu, "T", "", 2}, {Item, "y", "y", 3}}},
        // Titles nest like submenus until "TITLE" "END".
        {{{"TITLE", "A"}, {"TITLE", "B"}, {"MENUITEM", "x;x"}, {"TITLE", "END"}, {"MENUITEM", "y;y"}},
         {{Title, "A", "", 0}, {Title, "B", "", 1}, {Item, "x", "x", 2}, {Item, "y", "y", 0}}},
        // "END" is compared exactly.
        {{{"TITLE", "end"}, {"SUBMENU", "END "}, {"SUBMENU", "End"}, {"TITLE", " END"}},
         {{Title, "end", "", 0}, {Submenu, "END ", "", 1}, {Submenu, "End", "", 2}, {Title, " END", "", 3}}},
        // Entries before the first title, and lines of no known keyword.
        {{{"MENUITEM", "x;x"}, {"", "ignored"}, {"menuitem", "y;y"}, {"SUBMENU", "END"}, {"SEPARATOR", ""}},
         {{Item, "x", "x", 0}, {Separator, "", "", 0}}},
        {{}, {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CBarMenuData menus;
        menus.BuildEntries(MakeLines(cases[i].lines));
        EXPECT_ENTRIES(menus, cases[i].entries);
    }
}

TEST(BuildEntries, MenuItemSplitsAtTheFirstSemicolon) {
    const struct {
        const char* text;
        const char* name;
        const char* url;
    } cases[] = {
        {"Help;help.htm", "Help", "help.htm"},
        {"a;b;c", "a", "b;c"},
        {"a;", "a", ""},
        {"Search;https://example.org/?q=a;b", "Search", "https://example.org/?q=a;b"},
        {";x.htm", "", ""},
        {";a;b", "", ""},
        {"no semicolon", "", ""},
        {"", "", ""},
        {" ;x", " ", "x"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].text);
        CBarMenuData menus;
        menus.BuildEntries(MakeLines({{"MENUITEM", cases[i].text}}));
        EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Item, cases[i].name, cases[i].url, 0}}));
    }
}

TEST(BuildEntries, SeparatorAndBreakHaveNoNameAndTitlesNoUrl) {
    CBarMenuData menus;
    menus.BuildEntries(MakeLines({{"TITLE", "T;t.htm"}, {"SUBMENU", "S;s.htm"}, {"SEPARATOR", "x;y"}, {"BREAK", "x;y"}}));
    EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{
                              {Title, "T;t.htm", "", 0}, {Submenu, "S;s.htm", "", 1}, {Separator, "", "", 2},
                              {Break, "", "", 2}}));
}

TEST(BuildEntries, ReplacesTheEarlierDefinitionAndKeepsCollections) {
    CBarMenuData menus;
    menus.collectionEntries.push_back(std::make_unique<CItemData>("Local", "local.htm", Item, 0));
    menus.BuildEntries(MakeLines({{"TITLE", "Old"}, {"MENUITEM", "a;a"}}));
    menus.BuildEntries(MakeLines({{"TITLE", "New"}}));
    EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Title, "New", "", 0}}));
    ASSERT_EQ(1u, menus.collectionEntries.size());
    EXPECT_EQ("Local", menus.collectionEntries[0]->name);
    menus.BuildEntries({});
    EXPECT_TRUE(menus.definitionEntries.empty());
}

TEST(BuildEntries, TransferToHandsTheLinesOver) {
    CIEMenuData lines;
    for (const CPaseData& line : MakeLines({{"TITLE", "Reading"}, {"MENUITEM", "Daily news;news.htm"}}))
        lines.Append(line);
    CBarMenuData menus;
    EXPECT_EQ(1, lines.TransferTo(&menus));
    EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Title, "Reading", "", 0}, {Item, "Daily news", "news.htm", 1}}));
    EXPECT_EQ(2u, lines.Count());
}

}  // namespace

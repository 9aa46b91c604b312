// Compares a manager's definition entries with a table, entry by entry; the
// failure names the caller's line and the entry's index.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/menus/bar_menu_data.h"

struct ExpectedEntry {
    EntryKind kind;
    std::string name;
    std::string url;
    int depth;
};

inline const std::vector<ExpectedEntry>& WorkedExampleEntries() {
    static const std::vector<ExpectedEntry> entries = {
        {Title, "Reading", "", 0},   {Item, "Daily news", "news.htm", 1}, {Submenu, "Archive", "", 1},
        {Item, "1998", "a98.htm", 2}, {Separator, "", "", 1},              {Break, "", "", 1},
        {Item, "Help", "help.htm", 1},
    };
    return entries;
}

inline void ExpectEntriesAt(const char* file, int line, const CBarMenuData& menus,
                            const std::vector<ExpectedEntry>& expected) {
    ::testing::ScopedTrace trace(file, line, "entries checked here");
    const auto& actual = menus.definitionEntries;
    EXPECT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(expected[i].kind, actual[i]->kind);
        EXPECT_EQ(expected[i].name, actual[i]->name);
        EXPECT_EQ(expected[i].url, actual[i]->url);
        EXPECT_EQ(expected[i].depth, actual[i]->depth);
    }
}

#define EXPECT_ENTRIES(menus, expected) ExpectEntriesAt(__FILE__, __LINE__, (menus), (expected))

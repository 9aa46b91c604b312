#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "plugin/menus/bar_menu_data.h"

namespace {

struct Expected {
    const char* name;
    const char* url;
    EntryKind kind;
};

// The section is copied into a block of exactly `size` bytes, so that the
// sanitizer sees any read past it.
void Parse(CBarMenuData& menus, const std::string& section, bool addPrefix) {
    std::unique_ptr<char[]> block(new char[section.size() ? section.size() : 1]);
    std::memcpy(block.get(), section.data(), section.size());
    menus.AddSectionEntries(block.get(), section.size(), addPrefix);
}

void ExpectEntries(const CBarMenuData& menus, const std::vector<Expected>& expected) {
    ASSERT_EQ(expected.size(), menus.collectionEntries.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const CItemData& entry = *menus.collectionEntries[i];
        EXPECT_EQ(expected[i].name, entry.name);
        EXPECT_EQ(expected[i].url, entry.url);
        EXPECT_EQ(expected[i].kind, entry.kind);
        EXPECT_EQ(0, entry.depth);
    }
}

#define SECTION(literal) std::string(literal, sizeof(literal) - 1)

TEST(SectionEntries, EmptyOrMissingSectionAddsNothing) {
    CBarMenuData menus;
    menus.AddSectionEntries(nullptr, 0, true);
    menus.AddSectionEntries(nullptr, 100, true);
    Parse(menus, SECTION(""), true);
    Parse(menus, SECTION("\0\0"), true);
    EXPECT_TRUE(menus.collectionEntries.empty());
}

TEST(SectionEntries, SplitsEachLineAtItsFirstEqualsSign) {
    CBarMenuData menus;
    Parse(menus, SECTION("Home=C:\\Zorbit\\BatchBM.htm\0Search=http://x/?q=a=b\0=no-name\0empty=\0"
                         "no equals sign\0\0"),
          false);
    ExpectEntries(menus, {{"Home", "C:\\Zorbit\\BatchBM.htm", Item},
                          {"Search", "http://x/?q=a=b", Item},
                          {"", "no-name", Item},
                          {"empty", "", Item},
                          {"", "no equals sign", Item}});
}

TEST(SectionEntries, PrefixGoesBeforeEveryUrlUnchanged) {
    CBarMenuData menus;
    Parse(menus, SECTION("Home=C:\\Zorbit\\BatchBM.htm\0SEPARATOR=x\0bare\0\0"), true);
    ExpectEntries(menus, {{"Home", "file:///C:\\Zorbit\\BatchBM.htm", Item},
                          {"SEPARATOR", "file:///x", Separator},
                          {"", "file:///bare", Item}});
}

TEST(SectionEntries, OnlyTheTwoSeparatorSpellingsMakeSeparators) {
    const struct {
        const char* key;
        EntryKind kind;
    } cases[] = {
        {"SEPARATOR", Separator}, {"separator", Separator}, {"Separator", Item},
        {"sEPARATOR", Item},      {"SEPARATORS", Item},     {" separator", Item},
        {"separator ", Item},     {"", Item},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": '" + cases[i].key + "'");
        CBarMenuData menus;
        Parse(menus, std::string(cases[i].key) + "=u" + std::string(2, '\0'), false);
        ExpectEntries(menus, {{cases[i].key, "u", cases[i].kind}});
    }
}

TEST(SectionEntries, DuplicateKeysStayInOrderAndAppendToEarlierEntries) {
    CBarMenuData menus;
    Parse(menus, SECTION("Home=a\0\0"), true);
    Parse(menus, SECTION("Dup=1\0separator=\0Dup=2\0separator=\0\0"), false);
    ExpectEntries(menus, {{"Home", "file:///a", Item},
                          {"Dup", "1", Item},
                          {"separator", "", Separator},
                          {"Dup", "2", Item},
                          {"separator", "", Separator}});
}

TEST(SectionEntries, StopsAtTheEmptyLine) {
    CBarMenuData menus;
    Parse(menus, SECTION("a=1\0\0b=2\0\0"), false);
    ExpectEntries(menus, {{"a", "1", Item}});
}

TEST(SectionEntries, NeverReadsPastTheSize) {
    // Sections cut by the end of the buffer: the last line lacks its
    // terminator, or the equals sign, or everything after the key.
    const struct {
        std::string section;
        std::vector<Expected> expected;
    } cases[] = {
        {SECTION("a=1\0b=2"), {{"a", "1", Item}, {"b", "2", Item}}},
        {SECTION("a=1\0b="), {{"a", "1", Item}, {"b", "", Item}}},
        {SECTION("a=1\0bb"), {{"a", "1", Item}, {"", "bb", Item}}},
        {SECTION("a=1\0"), {{"a", "1", Item}}},
        {SECTION("x"), {{"", "x", Item}}},
        {SECTION("="), {{"", "", Item}}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CBarMenuData menus;
        Parse(menus, cases[i].section, false);
        ExpectEntries(menus, cases[i].expected);
    }
}

TEST(SectionEntries, SizeCutsALongerText) {
    const char text[] = "first=1\0second=2\0\0";
    CBarMenuData menus;
    menus.AddSectionEntries(text, 11, false);  // ends inside "second"
    ExpectEntries(menus, {{"first", "1", Item}, {"", "sec", Item}});
}

}  // namespace

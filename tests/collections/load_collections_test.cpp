#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "plugin/menus/bar_menu_data.h"
#include "tests/support/files.h"
#include "tests/support/state_scopes.h"

namespace {

struct Expected {
    std::string name;
    std::string url;
    EntryKind kind;
};

using support::Exists;
using support::WriteBytes;

void ExpectEntries(const CBarMenuData& menus, const std::vector<Expected>& expected) {
    ASSERT_EQ(expected.size(), menus.collectionEntries.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(expected[i].name, menus.collectionEntries[i]->name);
        EXPECT_EQ(expected[i].url, menus.collectionEntries[i]->url);
        EXPECT_EQ(expected[i].kind, menus.collectionEntries[i]->kind);
        EXPECT_EQ(0, menus.collectionEntries[i]->depth);
    }
}

// Keeps the profile entry "Zorbit"/"ZorbitDir" of the prefix as it was, and
// gives each test its own product directory under the temporary folder.
class Collections : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.Path().empty());
        dir_ = folder_.Path();
        UseDirectory(dir_);
    }

    void UseDirectory(const std::string& dir) { WriteProfileStringA("Zorbit", "ZorbitDir", dir.c_str()); }
    void WriteSetUp(const std::string& bytes) { WriteBytes(dir_ + "\\SetUp.ini", bytes); }
    void WriteIndex(const std::string& bytes) { WriteBytes(dir_ + "\\ZBIndex.ini", bytes); }

    support::ZorbitProfileScope profile_;
    support::TempFolder folder_{"zbc"};
    std::string dir_;
};

TEST_F(Collections, ReadsLocalThenIndexSectionsInFileOrder) {
    WriteSetUp("[Zorbit Setup]\r\nBrowser=2\r\n"
               "[CollectionNames]\r\nGeneral Collection=" + dir_ + "\\WebSite.htm\r\n"
               "User Collection=" + dir_ + "\\Template.htm\r\n"
               "[LocalZB]\r\nHome=" + dir_ + "\\BatchBM.htm\r\n"
               "User Collection=" + dir_ + "\\TempBM.htm\r\n");
    WriteIndex("[More Collection]\r\nMore=http://more.example/\r\n"
               "[Bazrelle]\r\nNews=http://news.example/a=b\r\nLocal=C:\\pages\\local.htm\r\n"
               "Relative=pages/rel.htm\r\n");
    CBarMenuData menus;
    menus.LoadCollections();
    ExpectEntries(menus, {{"Home", "file:///" + dir_ + "\\BatchBM.htm", Item},
                          {"User Collection", "file:///" + dir_ + "\\TempBM.htm", Item},
                          {"News", "http://news.example/a=b", Item},
                          {"Local", "C:\\pages\\local.htm", Item},
                          {"Relative", "pages/rel.htm", Item},
                          {"More", "http://more.example/", Item}});
}

TEST_F(Collections, SeparatorSpellingsAndDuplicateKeys) {
    WriteSetUp("[LocalZB]\r\nHome=C:\\a.htm\r\nSEPARATOR=\r\nHome=C:\\b.htm\r\n");
    WriteIndex("[Bazrelle]\r\nOne=1.htm\r\nseparator=x\r\nSeparator=2.htm\r\nOne=3.htm\r\n"
               "SEPARATOR=\r\n[More Collection]\r\nseparator=\r\nLast=4.htm\r\n");
    CBarMenuData menus;
    menus.LoadCollections();
    ExpectEntries(menus, {{"Home", "file:///C:\\a.htm", Item},
                          {"SEPARATOR", "file:///", Separator},
                          {"Home", "file:///C:\\b.htm", Item},
                          {"One", "1.htm", Item},
                          {"separator", "x", Separator},
                          {"Separator", "2.htm", Item},
                          {"One", "3.htm", Item},
                          {"SEPARATOR", "", Separator},
                          {"separator", "", Separator},
                          {"Last", "4.htm", Item}});
}

TEST_F(Collections, MissingFilesAndSectionsAddNothing) {
    {
        SCOPED_TRACE("no files");
        CBarMenuData menus;
        menus.LoadCollections();
        ExpectEntries(menus, {});
    }
    {
        SCOPED_TRACE("no SetUp.ini");
        WriteIndex("[Bazrelle]\r\nB=b.htm\r\n");
        CBarMenuData menus;
        menus.LoadCollections();
        ExpectEntries(menus, {{"B", "b.htm", Item}});
    }
    {
        SCOPED_TRACE("no LocalZB section, no More Collection section");
        WriteSetUp("[Zorbit Setup]\r\nBrowser=2\r\n[CollectionNames]\r\nUser Collection=x\r\n");
        CBarMenuData menus;
        menus.LoadCollections();
        ExpectEntries(menus, {{"B", "b.htm", Item}});
    }
    {
        SCOPED_TRACE("no ZBIndex.ini");
        DeleteFileA((dir_ + "\\ZBIndex.ini").c_str());
        WriteSetUp("[LocalZB]\r\nHome=h.htm\r\n");
        CBarMenuData menus;
        menus.LoadCollections();
        ExpectEntries(menus, {{"Home", "file:///h.htm", Item}});
    }
}

TEST_F(Collections, DefaultDirectoryWithoutProfileEntry) {
    WriteProfileStringA("Zorbit", "ZorbitDir", nullptr);
    const std::string fallback = "C:\\Zorbit";
    if (Exists(fallback))
        GTEST_SKIP() << fallback << " exists in this prefix already; not touching it";
    ASSERT_TRUE(CreateDirectoryA(fallback.c_str(), nullptr));
    WriteBytes(fallback + "\\SetUp.ini",
               "[CollectionNames]\r\nGeneral Collection=C:\\Zorbit\\WebSite.htm\r\n"
               "User Collection=C:\\Zorbit\\Template.htm\r\n"
               "[LocalZB]\r\nHome=C:\\Zorbit\\BatchBM.htm\r\nUser Collection=C:\\Zorbit\\TempBM.htm\r\n");
    CBarMenuData menus;
    menus.LoadCollections();
    DeleteFileA((fallback + "\\SetUp.ini").c_str());
    RemoveDirectoryA(fallback.c_str());
    ExpectEntries(menus, {{"Home", "file:///C:\\Zorbit\\BatchBM.htm", Item},
                          {"User Collection", "file:///C:\\Zorbit\\TempBM.htm", Item}});
}

// Lines "Key<n>=<url>" until the section text is well past `limit`.
std::vector<std::string> LongSection(const std::string& stem, size_t limit) {
    std::vector<std::string> lines;
    size_t total = 0;
    for (int n = 0; total < limit + 500; ++n) {
        lines.push_back("Key" + std::to_string(n) + "=" + stem + std::to_string(n) + ".htm");
        total += lines.back().size() + 1;
    }
    return lines;
}

std::string IniSection(const std::string& name, const std::vector<std::string>& lines) {
    std::string text = "[" + name + "]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// What the reader is expected to see of an over-long section: the first
// `limit` - 2 characters of its NUL-separated lines.
std::vector<Expected> CutSection(const std::vector<std::string>& lines, size_t limit, const std::string& prefix) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\0';
    text.resize(limit - 2);
    std::vector<Expected> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\0', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            entries.push_back({"", prefix + line, Item});
        else
            entries.push_back({line.substr(0, equals), prefix + line.substr(equals + 1), Item});
        start = end + 1;
    }
    return entries;
}

TEST_F(Collections, OverlongSectionsAreCutAtTheirLimits) {
    const auto local = LongSection("C:\\Zorbit\\local\\page", 4086);
    const auto index = LongSection("http://bazrelle.example/page", 4086);
    const auto more = LongSection("http://more.example/page", 4096);
    WriteSetUp(IniSection("LocalZB", local));
    WriteIndex(IniSection("Bazrelle", index) + IniSection("More Collection", more));

    std::vector<Expected> expected = CutSection(local, 4086, "file:///");
    const size_t localCount = expected.size();
    for (const auto& entry : CutSection(index, 4086, ""))
        expected.push_back(entry);
    const size_t indexCount = expected.size() - localCount;
    for (const auto& entry : CutSection(more, 4096, ""))
        expected.push_back(entry);
    ASSERT_LT(localCount, local.size());
    ASSERT_LT(indexCount, index.size());

    CBarMenuData menus;
    menus.LoadCollections();
    ExpectEntries(menus, expected);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "tests/menus/expect_entries.h"
#include "tests/menus/scratch_files.h"

namespace {

const char kPreamble[] =
    "<html>\r\n<head>\r\n<title>Menus</title>\r\n</head>\r\n<body>\r\n"
    "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"menus.htm\" width=2 height=2>\r\n";

// The work file goes to a temporary folder of the test's own, so that the
// tests can see it come and go.
class ReadDefinitionTest : public ::testing::Test {
protected:
    scratch::Folder temp_;
    scratch::Folder sources_;
    scratch::Folder current_;
    scratch::TempFolderOverride override_{temp_.Path()};

    std::string WriteSource(const std::string& bytes, const std::string& name = "menus.htm") {
        const std::string path = sources_.File(name);
        scratch::WriteBytes(path, bytes);
        return path;
    }

    // Reads the file into `lines` and hands them to `menus`, as the stream
    // intake does; the work file must be gone afterwards.
    int Read(const std::string& path, CIEMenuData& lines, CBarMenuData& menus) {
        const int result = ReadDefinition(lines, path.c_str());
        EXPECT_EQ(1, lines.TransferTo(&menus));
        EXPECT_TRUE(temp_.List().empty()) << "work file left behind";
        return result;
    }

    int Parse(const std::string& bytes, CBarMenuData& menus) {
        CIEMenuData lines;
        return Read(WriteSource(bytes), lines, menus);
    }
};

TEST_F(ReadDefinitionTest, WorkedExampleLinesAndEntries) {
    CIEMenuData lines;
    CBarMenuData menus;
    const std::string path = WriteSource(std::string(kPreamble) +
                                         "TITLE \"Reading\"\n"
                                         "MENUITEM \"Daily news;news.htm\"\n"
                                         "SUBMENU \"Archive\"\n"
                                         "MENUITEM \"1998;a98.htm\"\n"
                                         "SUBMENU \"END\"\n"
                                         "SEPARATOR\n"
                                         "BREAK\n"
                                         "MENUITEM \"Help;help.htm\"\n"
                                         "TITLE \"END\"\n"
                                         "</body>\n</html>\n");
    EXPECT_EQ(1, Read(path, lines, menus));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"TITLE", "Reading"}, {"MENUITEM", "Daily news;news.htm"}, {"SUBMENU", "Archive"},
        {"MENUITEM", "1998;a98.htm"}, {"SUBMENU", "END"}, {"SEPARATOR", ""}, {"BREAK", ""},
        {"MENUITEM", "Help;help.htm"}, {"TITLE", "END"},
    };
    ASSERT_EQ(expected.size(), lines.Count());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        EXPECT_EQ(expected[i].first, lines.At(i).keyword);
        EXPECT_EQ(expected[i].second, lines.At(i).text);
    }
    EXPECT_ENTRIES(menus, WorkedExampleEntries());
    EXPECT_EQ("news.htm", menus.GetEntryUrl(1));
    EXPECT_EQ("help.htm", menus.GetEntryUrl(6));
}

TEST_F(ReadDefinitionTest, WorkedExampleHoweverTheEditorLaidItOut) {
    const std::string cases[] = {
        // One line each, CR LF.
        "TITLE \"Reading\"\r\nMENUITEM \"Daily news;news.htm\"\r\nSUBMENU \"Archive\"\r\n"
        "MENUITEM \"1998;a98.htm\"\r\nSUBMENU \"END\"\r\nSEPARATOR\r\nBREAK\r\n"
        "MENUITEM \"Help;help.htm\"\r\nTITLE \"END\"\r\n",
        // All on one physical line, separated by single spaces.
        "TITLE \"Reading\" MENUITEM \"Daily news;news.htm\" SUBMENU \"Archive\" MENUITEM \"1998;a98.htm\" "
        "SUBMENU \"END\" SEPARATOR\nBREAK MENUITEM \"Help;help.htm\" TITLE \"END\"\n",
        // Paragraphs, as an HTML editor writes them.
        "<p>TITLE \"Reading\" MENUITEM \"Daily news;news.htm\" SUBMENU \"Archive\"</p>\r\n"
        "<p>MENUITEM \"1998;a98.htm\" SUBMENU \"END\" SEPARATOR</p>\r\n"
        "<p>BREAK MENUITEM \"Help;help.htm\" TITLE \"END\"<br></p>\r\n",
        // Wrapped at the editor's margin, with text that is not a definition.
        "<p>Our menus:</p>\r\n<p>TITLE \"Reading\"\r\nMENUITEM \"Daily news;news.htm\"\r\nSUBMENU "
        "\"Archive\" MENUITEM \"1998;a98.htm\" SUBMENU \"END\" SEPARATOR </p>\r\n"
        "<p>BREAK</p>\r\n<p>MENUITEM \"Help;help.htm\"</p> <p>TITLE \"END\" </p>\r\n",
        // No newline at the end, and a "BREAK" after a space.
        "<br>TITLE \"Reading\" MENUITEM \"Daily news;news.htm\" SUBMENU \"Archive\" MENUITEM \"1998;a98.htm\" "
        "SUBMENU \"END\" SEPARATOR\r\n BREAK\r\nMENUITEM \"Help;help.htm\" TITLE \"END\"",
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CBarMenuData menus;
        EXPECT_EQ(1, Parse(kPreamble + cases[i], menus));
        EXPECT_ENTRIES(menus, WorkedExampleEntries());
    }
}

TEST_F(ReadDefinitionTest, OnlyTheLowerCaseEmbedEndsThePreamble) {
    const struct {
        std::string source;
        std::vector<ExpectedEntry> entries;
    } cases[] = {
        {"TITLE \"A\"\nMENUITEM \"a;a.htm\"\n", {}},
        {"TITLE \"A\"\n<EMBED type=\"application/vnd.vantrel-zorbit\">\nMENUITEM \"a;a.htm\"\n", {}},
        {"<EMBED src=a>\nTITLE \"A\"\n<p>embedded below</p>\nTITLE \"B\"\n", {{Title, "B", "", 0}}},
        // Definition lines on the embed's own line go with it.
        {"<embed src=a>TITLE \"A\"\nTITLE \"B\"\n", {{Title, "B", "", 0}}},
        {"<embed src=a> TITLE \"A\"\nTITLE \"B\"\n", {{Title, "A", "", 0}, {Title, "B", "", 1}}},
        {"<embed src=a>\n<embed src=b>\nTITLE \"B\"\n", {{Title, "B", "", 0}}},
        {"<embed src=a>", {}},
        {"", {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + scratch::Visible(cases[i].source));
        CBarMenuData menus;
        EXPECT_EQ(1, Parse(cases[i].source, menus));
        EXPECT_ENTRIES(menus, cases[i].entries);
    }
}

TEST_F(ReadDefinitionTest, KeywordsAndQuotesInCaptions) {
    const struct {
        std::string body;
        std::vector<ExpectedEntry> entries;
    } cases[] = {
        // "BREAK" after another definition line on its line is lost...
        {"TITLE \"T\"\nMENUITEM \"Help;help.htm\" BREAK\nMENUITEM \"b;b\"\n",
         {{Title, "T", "", 0}, {Item, "Help", "help.htm", 1}, {Item, "b", "b", 1}}},
        // ...at the start of a line, or with a keyword after it, it counts.
        {"TITLE \"T\"\nBREAK MENUITEM \"Help;help.htm\"\n",
         {{Title, "T", "", 0}, {Break, "", "", 1}, {Item, "Help", "help.htm", 1}}},
        {"TITLE \"T\" MENUITEM \"a;a\"\n BREAK SEPARATOR\n",
         {{Title, "T", "", 0}, {Item, "a", "a", 1}, {Break, "", "", 1}, {Separator, "", "", 1}}},
        // A space close before the next keyword splits the caption.
        {"TITLE \"T\" MENUITEM \"A B\" TITLE \"U\"\n",
         {{Title, "T", "", 0}, {Item, "", "", 1}, {Title, "U", "", 1}}},
        {"TITLE \"T\" MENUITEM \"A Bc;h\" TITLE \"U\"\n",
         {{Title, "T", "", 0}, {Item, "A Bc", "h", 1}, {Title, "U", "", 1}}},
        // A keyword more than nine characters after the space starts no line.
        {"<p>BREAK</p> <p>MENUITEM \"Help;help.htm\"</p>\n", {{Item, "Help", "help.htm", 0}}},
        // A short quoted text right before "</p>" goes to a line of its own.
        {"TITLE \"T\"\nSUBMENU \"S\"\n<p>SUBMENU \"END\"</p>\nMENUITEM \"a;a\"\n",
         {{Title, "T", "", 0}, {Submenu, "S", "", 1}, {Submenu, "", "", 2}, {Item, "a", "a", 3}}},
        // A caption holding a keyword.
        {"MENUITEM \"Movie-SUBTITLES;subs.htm\"\n", {{Title, "Movie-SUBTITLES;subs.htm", "", 0}}},
        {"MENUITEM \"SUBTITLES;subs.htm\"\n", {{Item, "", "", 0}, {Title, "SUBTITLES;subs.htm", "", 0}}},
        {"MENUITEM \"Film TITLE list;f.htm\"\n", {{Item, "", "", 0}, {Title, "", "", 0}}},
        {"MENUITEM \"Film menuitem list;f.htm\"\n", {{Item, "Film menuitem list", "f.htm", 0}}},
        // Quotes inside the caption, and too few quotes.
        {"MENUITEM \"Say \"hi\";hi.htm\"\n", {{Item, "Say \"hi\"", "hi.htm", 0}}},
        {"MENUITEM \"Open;open.htm\nSEPARATOR \"\n", {{Item, "", "", 0}, {Separator, "", "", 0}}},
        // Items without a proper caption and address.
        {"MENUITEM \"no address\" MENUITEM \";x.htm\" MENUITEM\n",
         {{Item, "", "", 0}, {Item, "", "", 0}, {Item, "", "", 0}}},
        // Text that is not a definition line goes.
        {"<p>Pick a menu.</p>\n<hr>\nSEPARATOR\n", {{Separator, "", "", 0}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + scratch::Visible(cases[i].body));
        CBarMenuData menus;
        EXPECT_EQ(1, Parse(kPreamble + cases[i].body, menus));
        EXPECT_ENTRIES(menus, cases[i].entries);
    }
}

TEST_F(ReadDefinitionTest, LongLinesAreReadIn399CharacterPieces) {
    // 500 characters: "MENUITEM" and a full caption in the first 399, a
    // "TITLE" in the other 101. Read whole, the line would be a title.
    const std::string first = "MENUITEM \"Long;" + std::string(383, 'a') + "\"";
    const std::string second = "TITLE\"Tail\"" + std::string(90, 'c');
    ASSERT_EQ(399u, first.size());
    ASSERT_EQ(101u, second.size());
    {
        CIEMenuData lines;
        CBarMenuData menus;
        EXPECT_EQ(1, Read(WriteSource(kPreamble + first + second + "\r\n"), lines, menus));
        ASSERT_EQ(2u, lines.Count());
        EXPECT_EQ("MENUITEM", lines.At(0).keyword);
        EXPECT_EQ("TITLE", lines.At(1).keyword);
        EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Item, "Long", std::string(383, 'a'), 0},
                                                          {Title, "Tail", "", 0}}));
    }
    const struct {
        std::string body;
        std::vector<ExpectedEntry> entries;
    } cases[] = {
        // Exactly 399 characters, then its newline as a piece of its own.
        {first + "\nSEPARATOR\n", {{Item, "Long", std::string(383, 'a'), 0}, {Separator, "", "", 0}}},
        // A keyword cut by the piece boundary is found in neither piece.
        {std::string(396, 'x') + "TITLE \"A\"\n", {}},
        {std::string(394, 'x') + "TITLE \"A\"\n", {{Title, "", "", 0}}},
        {std::string(798, 'x') + "TITLE \"A\"\n", {{Title, "A", "", 0}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CBarMenuData menus;
        EXPECT_EQ(1, Parse(kPreamble + cases[i].body, menus));
        EXPECT_ENTRIES(menus, cases[i].entries);
    }
}

TEST_F(ReadDefinitionTest, ItemsOnOnePhysicalLineLongerThanAChunk) {
    // 100 items of 28 characters, one space apart, after `prefix` characters.
    auto line = [](size_t prefix) {
        std::string text(prefix, 'y');
        for (int k = 0; k < 100; ++k) {
            char item[40];
            std::snprintf(item, sizeof item, "%sMENUITEM \"Item %03d;i%03d.htm\"", k ? " " : "", k, k);
            text += item;
        }
        return text + "\n";
    };
    auto items = [](int mergedInto) {
        std::vector<ExpectedEntry> entries;
        for (int k = 0; k < 100; ++k) {
            char name[16];
            char url[16];
            std::snprintf(name, sizeof name, "Item %03d", k);
            std::snprintf(url, sizeof url, "i%03d.htm", k);
            if (mergedInto >= 0 && k == mergedInto + 1)
                continue;
            entries.push_back({Item, name, url, 0});
            if (k == mergedInto) {
                char rest[48];
                std::snprintf(rest, sizeof rest, "\" MENUITEM \"Item %03d;i%03d.htm", k + 1, k + 1);
                entries.back().url += rest;
            }
        }
        return entries;
    };
    const struct {
        size_t prefix;
        int mergedInto;
    } cases[] = {
        {3, -1},   // no keyword crosses character 2047
        {14, 69},  // item 70's keyword does: it stays on item 69's line
        {17, -1},  // the space before item 70 ends the first chunk and is carried over
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        CBarMenuData menus;
        EXPECT_EQ(1, Parse(kPreamble + line(cases[i].prefix), menus));
        EXPECT_ENTRIES(menus, items(cases[i].mergedInto));
    }
}

TEST_F(ReadDefinitionTest, CtrlZEndsTheDefinition) {
    CBarMenuData menus;
    EXPECT_EQ(1, Parse(std::string(kPreamble) + "TITLE \"A\"\r\n\x1aMENUITEM \"b;b.htm\"\r\n", menus));
    EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Title, "A", "", 0}}));
}

TEST_F(ReadDefinitionTest, AppendsToTheList) {
    CIEMenuData lines;
    CBarMenuData menus;
    const std::string path = WriteSource(std::string(kPreamble) + "TITLE \"A\"\n");
    EXPECT_EQ(1, Read(path, lines, menus));
    EXPECT_EQ(1, Read(path, lines, menus));
    EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Title, "A", "", 0}, {Title, "A", "", 1}}));
}

// The entries share the text the definition was read into: they keep it
// after the lines are gone, and a copied entry holds its own.
TEST_F(ReadDefinitionTest, EntriesOutliveTheLinesAndTheManager) {
    EntryList kept;
    CItemData copied;
    {
        CIEMenuData lines;
        CBarMenuData menus;
        ASSERT_EQ(1, Read(WriteSource(std::string(kPreamble) + "TITLE \"Reading\"\nMENUITEM \"Daily news;news.htm\"\n"),
                          lines, menus));
        ASSERT_EQ(2u, menus.definitionEntries.size());
        copied = *menus.definitionEntries[1];
        kept = std::move(menus.definitionEntries);
    }
    EXPECT_EQ("Daily news", copied.name);
    EXPECT_EQ("news.htm", copied.url);
    ASSERT_EQ(2u, kept.size());
    EXPECT_EQ("Reading", kept[0]->name);
    EXPECT_EQ("news.htm", kept[1]->url);
}

TEST_F(ReadDefinitionTest, FailsWithResultZeroWhenNothingCanBeRead) {
    const std::string good = WriteSource(std::string(kPreamble) + "TITLE \"A\"\n");
    const std::string missing = sources_.File("missing.htm");
    {
        SCOPED_TRACE("missing definition file");
        CIEMenuData lines;
        CBarMenuData menus;
        menus.BuildEntries({});
        EXPECT_EQ(0, Read(missing, lines, menus));
        EXPECT_EQ(0u, lines.Count());
        EXPECT_TRUE(menus.definitionEntries.empty());
    }
    {
        SCOPED_TRACE("null and empty names");
        CIEMenuData lines;
        EXPECT_EQ(0, ReadDefinition(lines, nullptr));
        EXPECT_EQ(0, ReadDefinition(lines, ""));
        EXPECT_EQ(0u, lines.Count());
    }
    {
        SCOPED_TRACE("no temporary folder");
        scratch::TempFolderOverride gone(temp_.File("gone"));
        CIEMenuData lines;
        EXPECT_EQ(0, ReadDefinition(lines, good.c_str()));
        EXPECT_EQ(0u, lines.Count());
    }
    EXPECT_TRUE(temp_.List().empty());
}

// The work file never takes a fixed name in the current directory.
TEST_F(ReadDefinitionTest, LeavesTheCurrentDirectoryAlone) {
    scratch::Folder& current = current_;
    scratch::CurrentDirectory cd(current.Path());
    const std::string precious = "precious data\r\nnot a work file\r\n";
    scratch::WriteBytes(current.File("tmp1.dat"), precious);
    scratch::WriteBytes(temp_.File("tmp1.dat"), precious);
    scratch::WriteBytes(temp_.File("zbd1.tmp"), precious);
    const std::vector<std::string> tempBefore = temp_.List();

    const std::string definition = std::string(kPreamble) + "TITLE \"A\"\nMENUITEM \"a;a.htm\"\n";
    const struct {
        const char* what;
        std::string path;
        std::vector<ExpectedEntry> entries;
        int result;
    } cases[] = {
        {"definition elsewhere", WriteSource(definition), {{Title, "A", "", 0}, {Item, "a", "a.htm", 1}}, 1},
        {"no definition file", sources_.File("missing.htm"), {}, 0},
        {"no embed tag", WriteSource("TITLE \"A\"\n", "plain.htm"), {}, 1},
        {"definition in the current directory named tmp1.dat", "tmp1.dat", {}, 1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].what);
        CIEMenuData lines;
        CBarMenuData menus;
        EXPECT_EQ(cases[i].result, ReadDefinition(lines, cases[i].path.c_str()));
        lines.TransferTo(&menus);
        EXPECT_ENTRIES(menus, cases[i].entries);
        EXPECT_EQ(std::vector<std::string>{"tmp1.dat"}, current.List());
        EXPECT_EQ(precious, scratch::ReadBytes(current.File("tmp1.dat")));
        EXPECT_EQ(tempBefore, temp_.List());
        EXPECT_EQ(precious, scratch::ReadBytes(temp_.File("tmp1.dat")));
        EXPECT_EQ(precious, scratch::ReadBytes(temp_.File("zbd1.tmp")));
    }

    scratch::WriteBytes(current.File("tmp1.dat"), definition);
    CIEMenuData lines;
    CBarMenuData menus;
    EXPECT_EQ(1, ReadDefinition(lines, "tmp1.dat"));
    lines.TransferTo(&menus);
    EXPECT_ENTRIES(menus, (std::vector<ExpectedEntry>{{Title, "A", "", 0}, {Item, "a", "a.htm", 1}}));
    EXPECT_EQ(definition, scratch::ReadBytes(current.File("tmp1.dat")));
    EXPECT_EQ(tempBefore, temp_.List());
}

}  // namespace

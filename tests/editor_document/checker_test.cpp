#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/definition_document.h"
#include "plugin/menus/menu_nesting.h"

namespace {

using zorbit::ProblemKind;

std::string Repeat(const std::string& text, size_t times) {
    std::string all;
    for (size_t i = 0; i < times; ++i)
        all += text;
    return all;
}

std::string ProductPage(const char* name) {
#ifdef _WIN32
    return std::string("Z:" ZORBIT_SOURCE_DIR "/product/") + name;
#else
    return std::string(ZORBIT_SOURCE_DIR "/product/") + name;
#endif
}

struct CheckCase {
    const char* what;
    std::string page;
    ProblemKind kind;
    int line;
};

const char kEmbed[] = "<embed filename=\"t.htm\">\n";

// Each page has exactly one problem, at a known physical line.
const std::vector<CheckCase> kCases = {
    {"upper-case embed", "<html>\n<EMBED filename=\"t.htm\">\nTITLE \"A\"\nMENUITEM \"a;a.htm\"\n",
     ProblemKind::NoEmbed, 2},
    {"no embed at all", "TITLE \"A\"\nMENUITEM \"a;a.htm\"\n", ProblemKind::NoEmbed, 1},
    {"embed split by a long line", "<p>\n" + std::string(396, 'x') + "<embed>\nTITLE \"A\"\n", ProblemKind::NoEmbed, 2},
    {"definition on the embed line", "<html>\n<embed filename=\"t.htm\">SEPARATOR\nTITLE \"A\"\nTITLE \"END\"\n",
     ProblemKind::DefinitionOnEmbedLine, 2},
    {"keyword in a caption", std::string(kEmbed) + "TITLE \"A\"\nMENUITEM \"SUBTITLES;s.htm\"\nTITLE \"END\"\n",
     ProblemKind::KeywordInCaption, 3},
    {"keyword after a space in a caption", std::string(kEmbed) + "TITLE \"A\"\r\nMENUITEM \"Old SUBMENU;o.htm\"\r\n",
     ProblemKind::KeywordInCaption, 3},
    {"caption cut before a keyword", std::string(kEmbed) + "TITLE \"A\"\nMENUITEM \"a b;\" TITLE \"X\"\nTITLE \"END\"\n",
     ProblemKind::CaptionCut, 3},
    {"caption cut before a tag", std::string(kEmbed) + "<p>TITLE \"Go on\" </p>\nMENUITEM \"a;a.htm\"\n",
     ProblemKind::CaptionCut, 2},
    {"item without semicolon", std::string(kEmbed) + "TITLE \"A\"\nMENUITEM \"Nothing here\"\n",
     ProblemKind::ItemDoesNothing, 3},
    {"item beginning with a semicolon", std::string(kEmbed) + "TITLE \"A\"\n\nMENUITEM \";x.htm\"\n",
     ProblemKind::ItemDoesNothing, 4},
    {"entry before the first title", std::string(kEmbed) + "MENUITEM \"Early;e.htm\"\nTITLE \"A\"\n",
     ProblemKind::OutsideTitle, 2},
    {"entry after TITLE END", std::string(kEmbed) + "TITLE \"A\"\nTITLE \"END\"\nSEPARATOR\nMENUITEM \"x;x\"\n",
     ProblemKind::OutsideTitle, 4},
    {"SUBMENU END with none open", std::string(kEmbed) + "TITLE \"A\"\nMENUITEM \"a;a\"\nSUBMENU \"END\"\nTITLE \"END\"\n",
     ProblemKind::UnbalancedSubmenu, 4},
    {"TITLE inside a submenu", std::string(kEmbed) + "TITLE \"A\"\nSUBMENU \"S\"\nMENUITEM \"a;a\"\nTITLE \"B\"\n",
     ProblemKind::UnbalancedSubmenu, 5},
    {"BREAK after another keyword", std::string(kEmbed) + "TITLE \"A\"\nMENUITEM \"a;a\" BREAK MENUITEM \"b;b\"\n",
     ProblemKind::BreakLost, 3},
    {"line over 399 characters",
     std::string(kEmbed) + "TITLE \"A\"\nMENUITEM \"" + std::string(420, 'x') + ";x.htm\"\nTITLE \"END\"\n",
     ProblemKind::LineTooLong, 3},
    {"command identifier above 65535",
     std::string(kEmbed) + "TITLE \"A\"\n" + Repeat("BREAK\n", 62535) + "MENUITEM \"far;f.htm\"\n",
     ProblemKind::CommandTooLarge, 62538},
    {"submenus nested past the deepest level",
     std::string(kEmbed) + "TITLE \"A\"\n" + Repeat("SUBMENU \"s\"\n", 3 * zorbit::kMaxMenuLevels) +
         "MENUITEM \"a;a\"\n",
     ProblemKind::MenuTooDeep, 2 + zorbit::kMaxMenuLevels},
};

TEST(Checker, FindsEachProblemAtItsLine) {
    for (size_t i = 0; i < kCases.size(); ++i) {
        const CheckCase& c = kCases[i];
        SCOPED_TRACE("case " + std::to_string(i) + ": " + c.what);
        const zorbit::PageReading reading = zorbit::ReadPageBytes(c.page);
        ASSERT_NE(zorbit::ReadStatus::CannotRead, reading.status) << reading.error;
        ASSERT_EQ(1u, reading.problems.size()) << zorbit::FormatProblems("t.htm", reading.problems);
        EXPECT_EQ(c.kind, reading.problems[0].kind) << zorbit::ProblemKindName(reading.problems[0].kind);
        EXPECT_EQ(c.line, reading.problems[0].line);
        EXPECT_FALSE(reading.problems[0].message.empty());
    }
}

TEST(Checker, ProductPagesPassClean) {
    for (const char* name : {"BatchBM.htm", "TempBM.htm", "Template.htm", "Sample.htm"}) {
        SCOPED_TRACE(name);
        const zorbit::PageReading reading = zorbit::ReadPageFile(ProductPage(name));
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        EXPECT_EQ("", zorbit::FormatProblems(name, reading.problems));
        EXPECT_GE(reading.menus.size(), 5u);
    }
}

TEST(Checker, OutputHasFileLineWarningForm) {
    const zorbit::PageReading reading =
        zorbit::ReadPageBytes(std::string(kEmbed) + "TITLE \"A\"\r\nMENUITEM \"Nothing here\"\r\n");
    const std::string text = zorbit::FormatProblems("dir/p.htm", reading.problems);
    EXPECT_EQ(0u, text.rfind("dir/p.htm:3: warning: ", 0)) << text;
    EXPECT_EQ('\n', text.back());
}

struct MenuRow {
    EntryKind kind;
    const char* name;
    uint32_t command;
    bool shown;
    int sourceLine;
    size_t lineIndex;
};

TEST(Menus, ShowCommandsAndMarkEntriesThatNeverShow) {
    const std::string page = std::string(kEmbed) +
                             "MENUITEM \"Early;e.htm\"\n"  // 2
                             "TITLE \"A\"\n"               // 3
                             "MENUITEM \"One;1.htm\"\n"    // 4
                             "SUBMENU \"S\"\n"             // 5
                             "MENUITEM \"Two;2.htm\"\n"    // 6
                             "SUBMENU \"END\"\n"           // 7
                             "BREAK\n"                     // 8
                             "SEPARATOR\n"                 // 9
                             "TITLE \"END\"\n"             // 10
                             "MENUITEM \"Late;l.htm\"\n";  // 11
    const std::vector<MenuRow> expected = {
        {Item, "Early", 0, false, 2, 0}, {Title, "A", 0, true, 3, 1},     {Item, "One", 3002, true, 4, 2},
        {Submenu, "S", 0, true, 5, 3},   {Item, "Two", 3004, true, 6, 4}, {Break, "", 0, true, 8, 6},
        {Separator, "", 0, true, 9, 7},  {Item, "Late", 0, false, 11, 9},
    };
    const zorbit::PageReading reading = zorbit::ReadPageBytes(page);
    ASSERT_EQ(expected.size(), reading.menus.size()) << zorbit::FormatMenus(reading.menus);
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const zorbit::MenuEntry& entry = reading.menus[i];
        EXPECT_EQ(expected[i].kind, entry.kind);
        EXPECT_EQ(expected[i].name, entry.name);
        EXPECT_EQ(expected[i].command, entry.command);
        EXPECT_EQ(expected[i].shown, entry.shown);
        EXPECT_EQ(expected[i].shown, entry.hiddenReason.empty());
        EXPECT_EQ(expected[i].sourceLine, entry.sourceLine);
        EXPECT_EQ(expected[i].lineIndex, entry.lineIndex);
    }
}

}  // namespace

namespace {

// Pages whose normalised copy differs most from the page: two spaces before
// a keyword, CR CR LF, a line copied in several chunks, Ctrl-Z.
TEST(Menus, EntriesKeepTheirPhysicalLines) {
    struct Case {
        std::string page;
        std::vector<int> lines;
    };
    const std::vector<Case> cases = {
        {"<embed>\nTITLE \"A\"  MENUITEM \"a;a\"\r\r\nSEPARATOR\n", {2, 2, 3}},
        {"<embed>\r\nTITLE \"A\"\r\n" + std::string(3000, 'y') + " " + std::string(2040, ' ') +
             "  MENUITEM \"a;a\"\r\nSEPARATOR\r\n",
         {2, 3, 4}},
        {"<p>\n<embed> TITLE \"A\"\n\nMENUITEM \"a;a\"\x1aSEPARATOR\n", {2, 4}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const zorbit::PageReading reading = zorbit::ReadPageBytes(cases[i].page);
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        std::vector<int> lines;
        for (const zorbit::MenuEntry& entry : reading.menus)
            lines.push_back(entry.sourceLine);
        EXPECT_EQ(cases[i].lines, lines);
        EXPECT_EQ(cases[i].page, zorbit::ComposePage(reading.page));
    }
}

}  // namespace

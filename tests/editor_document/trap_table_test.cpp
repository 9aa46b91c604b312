#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/definition_document.h"

namespace {

// "LINE:kind" for each warning, in order.
std::string Warnings(const std::vector<zorbit::Problem>& problems) {
    std::string text;
    for (const zorbit::Problem& problem : problems)
        text += (text.empty() ? "" : " ") + std::to_string(problem.line) + ":" + zorbit::ProblemKindName(problem.kind);
    return text;
}

struct Trap {
    const char* what;
    std::string page;
    const char* warnings;
};

const std::string E = "<embed filename=\"t.htm\">\n";
const std::string A = "TITLE \"A\"\n";

const std::vector<Trap> kTraps = {
    {"entries joined by a CR alone", E + "TITLE \"A\"\rMENUITEM \"a;a.htm\"\n", "3:entries-share-line"},
    {"by a tab", E + A + "MENUITEM \"a;a.htm\"\tMENUITEM \"b;b.htm\"\n", "3:entries-share-line"},
    {"by <br>", E + A + "MENUITEM \"a;a.htm\"<br>MENUITEM \"b;b.htm\"\n", "3:entries-share-line"},
    {"by &nbsp;", E + A + "MENUITEM \"a;a.htm\"&nbsp;MENUITEM \"b;b.htm\"\n", "3:entries-share-line"},
    {"by a non-breaking space", E + A + "MENUITEM \"a;a.htm\"\xA0MENUITEM \"b;b.htm\"\n", "3:entries-share-line"},
    {"HTML with quotes after an entry", E + A + "MENUITEM \"a;a.htm\" <a href=\"x.htm\">x</a>\n",
     "3:entries-share-line"},
    {"keyword in a heading", E + "<h2>TITLE LIST</h2>\n" + A + "MENUITEM \"a;a.htm\"\n", "2:keyword-in-prose"},
    {"keyword in a sentence", E + A + "MENUITEM \"a;a.htm\"\n<p>Our SEPARATOR policy</p>\n", "4:keyword-in-prose"},
    {"commented-out definition", E + A + "<!-- MENUITEM \"Old;old.htm\" -->\nMENUITEM \"a;a.htm\"\n",
     "3:commented-out"},
    {"SUBMENU \"End\"", E + A + "SUBMENU \"S\"\nMENUITEM \"a;a.htm\"\nSUBMENU \"End\"\nTITLE \"END\"\n",
     "5:near-miss-end"},
    {"SUBMENU \"END \"", E + A + "SUBMENU \"S\"\nMENUITEM \"a;a.htm\"\nSUBMENU \"END \"\nTITLE \"END\"\n",
     "5:near-miss-end"},
    {"TITLE \"end\"", E + A + "MENUITEM \"a;a.htm\"\nTITLE \"end\"\n", "4:near-miss-end"},
    {"MenuItem", E + A + "MenuItem \"a;a.htm\"\n", "3:keyword-case"},
    {"Title", E + "Title \"A\"\nMENUITEM \"a;a.htm\"\n", "2:keyword-case 3:outside-title"},
    {"text after a Ctrl-Z", E + A + "MENUITEM \"a;a.htm\"\n\x1aMENUITEM \"b;b.htm\"\n", "4:after-ctrl-z"},
    {"TITLE \"\"", E + "TITLE \"\"\nMENUITEM \"a;a.htm\"\n", "2:empty-name"},
    {"bare TITLE", E + "TITLE\nMENUITEM \"a;a.htm\"\n", "2:empty-name"},
    {"item without address", E + A + "MENUITEM \"a;\"\n", "3:item-does-nothing"},
    {"AT&T", E + A + "MENUITEM \"AT&T;att.htm\"\n", "3:menu-text"},
    {"tab in a caption", E + A + "MENUITEM \"Name\tRight;r.htm\"\n", "3:menu-text"},
    {"UTF-8 caption", E + A + "MENUITEM \"Caf\xC3\xA9;c.htm\"\n", "3:utf8-caption"},
    {"UTF-8 caption after a BOM", "\xEF\xBB\xBF" + E + A + "MENUITEM \"Caf\xC3\xA9;c.htm\"\n", "3:utf8-caption"},
    {"BREAK before SUBMENU END",
     E + A + "SUBMENU \"S\"\nMENUITEM \"a;a.htm\"\nBREAK\nSUBMENU \"END\"\nMENUITEM \"b;b.htm\"\n",
     "5:break-moves-on"},
    {"BREAK before a TITLE", E + A + "MENUITEM \"a;a.htm\"\nBREAK\nTITLE \"B\"\nMENUITEM \"b;b.htm\"\n",
     "4:break-moves-on"},
    // Warnings that were given at the wrong place or with the wrong cause.
    {"EMBED after a title with Embedded", "<title>Embedded menus</title>\n<EMBED filename=\"t.htm\">\n" + A,
     "2:no-embed"},
    {"CR-only page", "<embed>\rTITLE \"A\"\rMENUITEM \"a;a.htm\"\r", "2:entries-share-line"},
    {"two SUBMENU END too many",
     E + A + "MENUITEM \"a;a.htm\"\nSUBMENU \"END\"\nSUBMENU \"END\"\nTITLE \"B\"\nMENUITEM \"b;b.htm\"\n",
     "4:unbalanced-submenu 5:unbalanced-submenu 7:outside-title"},
    // Stopped the reading: fewer characters before the joined keyword than "<br/>".
    {"four characters before a joined keyword", E + "ab\"\"TITLE \"A\"\n", "2:entries-share-line"},
    // False cases: no warning.
    {"a caption holding a double quote",
     E + "TITLE \"Disks\"\nMENUITEM \"5.25\" drives;d.htm\" MENUITEM \"Tapes;t.htm\"\nTITLE \"END\"\n", ""},
    {"a keyword in the embed tag's file name",
     "<embed filename=\"SUBTITLE.HTM\">\n" + A + "MENUITEM \"a;a.htm\"\nTITLE \"END\"\n", ""},
    {"NUL bytes after a Ctrl-Z",
     E + A + "MENUITEM \"a;a.htm\"\nTITLE \"END\"\n\x1a" + std::string("\0\0\x01", 3), ""},
};

TEST(CheckerTraps, EachTrapWarnsAtItsLineAndNothingElse) {
    for (const Trap& trap : kTraps) {
        SCOPED_TRACE(trap.what);
        const zorbit::PageReading reading = zorbit::ReadPageBytes(trap.page);
        ASSERT_NE(zorbit::ReadStatus::CannotRead, reading.status) << reading.error;
        if (*trap.warnings == '\0')
            EXPECT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        EXPECT_EQ(trap.warnings, Warnings(reading.problems)) << zorbit::FormatProblems("t.htm", reading.problems);
    }
}

}  // namespace

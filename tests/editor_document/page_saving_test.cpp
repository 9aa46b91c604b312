#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/definition_document.h"
#ifdef _WIN32
#include "common/file_replacement.h"
#endif
#include "plugin/menus/bar_menu_data.h"
#include "tests/menus/scratch_files.h"

namespace {

using zorbit::LineKind;
using scratch::Visible;

const std::string kPreamble =
    "<html>\r\n<head><title>Links</title></head>\r\n<body>\r\n"
    "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"p.htm\">\r\n<pre>\r\n";
const std::string kTrailer = "</pre>\r\n</body>\r\n</html>\r\n";
// Every kind of line, written as the editor writes them.
const std::string kDefinition =
    "TITLE \"Reading\"\r\n"
    "MENUITEM \"Daily news;news.htm\"\r\n"
    "SUBMENU \"Archive\"\r\n"
    "MENUITEM \"1998;a98.htm\"\r\n"
    "SUBMENU \"END\"\r\n"
    "SEPARATOR\r\n"
    "BREAK\r\n"
    "MENUITEM \"Help;help.htm\"\r\n"
    "TITLE \"END\"\r\n";

TEST(PageSaving, SplitsThePageAndRoundTripsItUnchanged) {
    // The same page with LF line ends, and with two entries on one line, too.
    const std::vector<std::string> pages = {
        kPreamble + kDefinition + kTrailer,
        "<embed filename=\"p.htm\">\n<pre>TITLE \"A\" MENUITEM \"a;a.htm\"\nTITLE \"END\"</pre>\n</html>",
    };
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i));
        const zorbit::PageReading reading = zorbit::ReadPageBytes(pages[i]);
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        EXPECT_EQ(pages[i], zorbit::ComposePage(reading.page));
        scratch::Folder folder;
        const std::string path = folder.File("p.htm");
        scratch::WriteBytes(path, pages[i]);
        const zorbit::SaveOutcome saved = zorbit::SavePage(reading.page, path);
        ASSERT_TRUE(saved.saved) << saved.error << saved.check.message;
        EXPECT_EQ(Visible(pages[i]), Visible(scratch::ReadBytes(path)));
        EXPECT_EQ(Visible(pages[i]), Visible(scratch::ReadBytes(path + ".bak")));
        EXPECT_EQ((std::vector<std::string>{"p.htm", "p.htm.bak"}), folder.List());
    }

    const zorbit::PageReading reading = zorbit::ReadPageBytes(pages[0]);
    EXPECT_EQ(Visible(kPreamble), Visible(reading.page.preamble));
    EXPECT_EQ(Visible(kTrailer), Visible(reading.page.trailer));
    const std::vector<zorbit::DefinitionLine> lines = {
        {LineKind::Title, "Reading", "", 6},    {LineKind::Item, "Daily news", "news.htm", 7},
        {LineKind::Submenu, "Archive", "", 8},  {LineKind::Item, "1998", "a98.htm", 9},
        {LineKind::SubmenuEnd, "", "", 10},     {LineKind::Separator, "", "", 11},
        {LineKind::Break, "", "", 12},          {LineKind::Item, "Help", "help.htm", 13},
        {LineKind::TitleEnd, "", "", 14},
    };
    ASSERT_EQ(lines.size(), reading.page.lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], reading.page.lines[i]) << "line " << i;
        EXPECT_EQ(lines[i].sourceLine, reading.page.lines[i].sourceLine) << "line " << i;
    }
}

TEST(PageSaving, WritesOnlyTheEditedEntriesBetweenThePagesOwnText) {
    zorbit::PageReading reading = zorbit::ReadPageBytes(
        "<embed filename=\"p.htm\">\n<pre>TITLE \"A\" MENUITEM \"a;a.htm\" TITLE \"END\"</pre>\n</html>");
    ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
    reading.page.lines[1].caption = "First";
    reading.page.lines.insert(reading.page.lines.begin() + 2, {LineKind::Item, "New", "new.htm", 0});

    scratch::Folder folder;
    const std::string path = folder.File("p.htm");
    const std::string before = "old text";
    scratch::WriteBytes(path, before);
    const zorbit::SaveOutcome saved = zorbit::SavePage(reading.page, path);
    ASSERT_TRUE(saved.saved) << saved.error << saved.check.message;
    EXPECT_EQ(Visible("<embed filename=\"p.htm\">\n"
                      "<pre>TITLE \"A\" MENUITEM \"First;a.htm\" \n"
                      "MENUITEM \"New;new.htm\"\nTITLE \"END\"</pre>\n</html>"),
              Visible(scratch::ReadBytes(path)));
    EXPECT_EQ(before, scratch::ReadBytes(path + ".bak"));
    EXPECT_TRUE(zorbit::ReadEditedPage(reading.page).problems.empty());
    // Problems and entries of an edited page point at the page's lines.
    zorbit::DefinitionPage early = reading.page;
    early.lines.insert(early.lines.begin(), {LineKind::Item, "Early", "e.htm", 0});
    const zorbit::PageReading edited = zorbit::ReadEditedPage(early);
    ASSERT_EQ(1u, edited.problems.size());
    EXPECT_EQ(zorbit::ProblemKind::OutsideTitle, edited.problems[0].kind);
    EXPECT_EQ(0u, edited.problems[0].lineIndex);
    ASSERT_EQ(4u, edited.menus.size());
    EXPECT_EQ(3u, edited.menus[3].lineIndex);
    EXPECT_EQ("New", edited.menus[3].name);
    CBarMenuData menus;
    ASSERT_TRUE(zorbit::LoadPluginEntries(early, menus));
    ASSERT_EQ(4u, menus.definitionEntries.size());
    EXPECT_EQ("new.htm", menus.definitionEntries[3]->url);
    CBarMenuData fromReading;
    zorbit::LoadPluginEntries(edited.menus, fromReading);
    ASSERT_EQ(4u, fromReading.definitionEntries.size());
    EXPECT_EQ("new.htm", fromReading.definitionEntries[3]->url);

    // A second save keeps the first as the backup; a read-only file is left alone.
    const std::string first = scratch::ReadBytes(path);
    reading.page.lines.pop_back();
    ASSERT_TRUE(zorbit::SavePage(reading.page, path).saved);
    EXPECT_EQ(Visible(first), Visible(scratch::ReadBytes(path + ".bak")));
    const std::string second = scratch::ReadBytes(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    reading.page.lines.pop_back();
    const zorbit::SaveOutcome refused = zorbit::SavePage(reading.page, path);
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(refused.readOnly);
    EXPECT_NE(std::string::npos, refused.error.find("read-only")) << refused.error;
    EXPECT_EQ(second, scratch::ReadBytes(path));
    EXPECT_EQ(Visible(first), Visible(scratch::ReadBytes(path + ".bak")));
    EXPECT_EQ((std::vector<std::string>{"p.htm", "p.htm.bak"}), folder.List());
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

zorbit::PageReading WithOneCaptionChanged(const std::string& page) {
    zorbit::PageReading reading = zorbit::ReadPageBytes(page);
    reading.page.lines[1].caption = "Today";
    return reading;
}

// A file changed by another program since it was read is not overwritten;
// without the backup option no NAME.bak is made.
TEST(PageSaving, LeavesAFileChangedOnDiskAndKeepsNoBackupWhenNotAsked) {
    const std::string page = kPreamble + kDefinition + kTrailer;
    const zorbit::PageReading reading = WithOneCaptionChanged(page);
    scratch::Folder folder;
    const std::string path = folder.File("p.htm");
    scratch::WriteBytes(path, page + "<!-- changed -->");
    zorbit::SaveOptions options;
    options.keepBackup = false;
    options.expected = &reading.page.originalBytes;
    const zorbit::SaveOutcome refused = zorbit::SavePage(reading.page, path, options);
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(refused.changedOnDisk);
    EXPECT_EQ(page + "<!-- changed -->", scratch::ReadBytes(path));
    scratch::WriteBytes(path, page);
    ASSERT_TRUE(zorbit::SavePage(reading.page, path, options).saved);
    EXPECT_EQ(zorbit::ComposePage(reading.page), scratch::ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"p.htm"}, folder.List());
}

#ifdef _WIN32
BOOL WINAPI FailToMoveReplacement(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) {
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

// The swap that fails half-way never leaves the page only as NAME.bak.
TEST(PageSaving, AFailedSwapLeavesThePageInPlace) {
    const std::string page = kPreamble + kDefinition + kTrailer;
    const zorbit::PageReading reading = WithOneCaptionChanged(page);
    scratch::Folder folder;
    const std::string path = folder.File("p.htm");
    scratch::WriteBytes(path, page);
    const FileReplacementCalls previous = SetFileReplacementCalls({nullptr, FailToMoveReplacement, nullptr});
    const zorbit::SaveOutcome saved = zorbit::SavePage(reading.page, path);
    SetFileReplacementCalls(previous);
    EXPECT_FALSE(saved.saved);
    EXPECT_FALSE(saved.error.empty());
    EXPECT_EQ(page, scratch::ReadBytes(path));
    EXPECT_EQ(page, scratch::ReadBytes(path + ".bak"));
    EXPECT_EQ((std::vector<std::string>{"p.htm", "p.htm.bak"}), folder.List());
}
#endif

struct Unstorable {
    LineKind kind;
    const char* caption;
    const char* address;
    const char* field;
    const char* suggestion;
};

TEST(PageSaving, RefusesACaptionThatCannotBeStoredAndWritesNothing) {
    const std::vector<Unstorable> cases = {
        {LineKind::Item, "SUBTITLES", "s.htm", "caption", "SUBtitleS"},
        {LineKind::Item, "Old MENUITEM list", "o.htm", "caption", "Old menuitem list"},
        {LineKind::Item, "Salt; pepper", "s.htm", "caption", "Salt, pepper"},
        {LineKind::Item, "", "e.htm", "caption", "e.htm"},
        {LineKind::Title, "END", "", "caption", "End"},
        {LineKind::Submenu, "Go <body>", "", "caption", "Go <BODY>"},
        {LineKind::Item, "Page", "TITLE.htm", "address", "title.htm"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Unstorable& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i) + ": " + c.caption);
        zorbit::PageReading reading = zorbit::ReadPageBytes(kPreamble + kDefinition + kTrailer);
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        reading.page.lines.insert(reading.page.lines.begin() + 1, {c.kind, c.caption, c.address, 0});

        scratch::Folder folder;
        const std::string path = folder.File("p.htm");
        scratch::WriteBytes(path, "as it was");
        const zorbit::SaveOutcome saved = zorbit::SavePage(reading.page, path);
        EXPECT_FALSE(saved.saved);
        EXPECT_FALSE(saved.check.storable);
        EXPECT_EQ(1u, saved.check.lineIndex);
        EXPECT_EQ(c.field, saved.check.field);
        EXPECT_EQ(c.suggestion, saved.check.suggestion);
        EXPECT_NE(std::string::npos, saved.check.message.find(c.suggestion)) << saved.check.message;
        EXPECT_EQ("as it was", scratch::ReadBytes(path));
        EXPECT_EQ(std::vector<std::string>{"p.htm"}, folder.List());
    }
}

TEST(PageSaving, NewPageNamesItselfAndStores) {
    const zorbit::DefinitionPage page = zorbit::NewPage("Mine.htm");
    const zorbit::SaveCheck check = zorbit::CheckSave(page);
    ASSERT_TRUE(check.storable) << check.message;
    EXPECT_NE(std::string::npos, check.bytes.find("filename=\"Mine.htm\""));
    const zorbit::PageReading reading = zorbit::ReadPageBytes(check.bytes);
    EXPECT_EQ(page.lines, reading.page.lines);
    EXPECT_TRUE(reading.problems.empty()) << zorbit::FormatProblems("Mine.htm", reading.problems);

    // Saved where no file was: no backup.
    scratch::Folder folder;
    const zorbit::SaveOutcome saved = zorbit::SavePage(page, folder.File("Mine.htm"));
    ASSERT_TRUE(saved.saved) << saved.error;
    EXPECT_EQ(Visible(check.bytes), Visible(scratch::ReadBytes(folder.File("Mine.htm"))));
    EXPECT_EQ(std::vector<std::string>{"Mine.htm"}, folder.List());
}

TEST(PageReading, RefusesWhatIsNoDefinitionPage) {
    struct Case {
        const char* what;
        std::string bytes;
        zorbit::ReadStatus status;
    };
    const std::vector<Case> cases = {
        {"binary noise", std::string("MZ\x90\0\x03\0\0\0TITLE", 13), zorbit::ReadStatus::NotDefinitionPage},
        {"enormous", std::string(zorbit::kMaxPageBytes + 1, 'x'), zorbit::ReadStatus::NotDefinitionPage},
        {"no embed", "TITLE \"A\"\n", zorbit::ReadStatus::NotDefinitionPage},
        {"empty", "", zorbit::ReadStatus::NotDefinitionPage},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].what);
        const zorbit::PageReading reading = zorbit::ReadPageBytes(cases[i].bytes);
        EXPECT_EQ(cases[i].status, reading.status);
        EXPECT_FALSE(reading.error.empty());
        EXPECT_TRUE(reading.page.lines.empty());
    }
    scratch::Folder folder;
    const zorbit::PageReading missing = zorbit::ReadPageFile(folder.File("missing.htm"));
    EXPECT_EQ(zorbit::ReadStatus::CannotRead, missing.status);
    EXPECT_FALSE(missing.error.empty());
}

}  // namespace

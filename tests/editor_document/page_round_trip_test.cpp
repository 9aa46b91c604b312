#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/definition_document.h"
#include "tests/menus/scratch_files.h"

namespace {

using zorbit::LineKind;
using scratch::Visible;

std::string ProductPage(const char* name) {
    return scratch::ReadBytes(std::string(ZORBIT_SOURCE_DIR "/product/") + name);
}

// The page with the entry of line `index` written anew from `edited`.
std::string WithEntry(const zorbit::DefinitionPage& page, size_t index, const zorbit::DefinitionLine& edited) {
    const zorbit::SourceSpan& span = page.originalSpans[index];
    return page.originalBytes.substr(0, span.begin) + zorbit::ComposeLine(edited) +
           page.originalBytes.substr(span.end);
}

struct RoundTrip {
    const char* what;
    std::string page;
    size_t line;  // the line whose caption is edited
};

TEST(PageRoundTrip, OneEditedEntryIsTheOnlyChange) {
    const std::vector<RoundTrip> cases = {
        {"BatchBM.htm", ProductPage("BatchBM.htm"), 1},
        {"TempBM.htm", ProductPage("TempBM.htm"), 1},
        {"Template.htm", ProductPage("Template.htm"), 1},
        {"Sample.htm", ProductPage("Sample.htm"), 3},
        {"comment after the embed line",
         "<embed filename=\"p.htm\">\n<!-- MENUITEM \"Old;old.htm\" -->\n<pre>\nTITLE \"A\"\nMENUITEM \"a;a.htm\"\n"
         "TITLE \"END\"</pre>\n<p>More text.</p>\n",
         2},
        {"prose and several entries per line",
         "<embed>\r\n<h2>Links</h2>\r\n<p>TITLE \"A\" MENUITEM \"a;a.htm\" <br>\r\n"
         "MENUITEM \"b;b.htm\" TITLE \"END\"</p>\r\n",
         2},
        {"CR-only line ends", "<embed>\r TITLE \"A\"\r MENUITEM \"a;a.htm\"\r TITLE \"END\"\r", 1},
        {"closing text after the last entry",
         "<embed>\n<pre>\nTITLE \"A\"\nMENUITEM \"a;a.htm\"\n"
         "TITLE \"END\"</pre><p>SUBMENU support needs version 2.</p>\n",
         1},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.what);
        zorbit::PageReading reading = zorbit::ReadPageBytes(c.page);
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        ASSERT_LT(c.line, reading.page.lines.size());
        zorbit::DefinitionLine& line = reading.page.lines[c.line];
        ASSERT_FALSE(line.caption.empty());
        line.caption += " too";
        const zorbit::SaveCheck check = zorbit::CheckSave(reading.page);
        ASSERT_TRUE(check.storable) << check.message;
        EXPECT_EQ(Visible(WithEntry(reading.page, c.line, line)), Visible(check.bytes));
    }
}

struct Edit {
    const char* what;
    std::string page;
    void (*edit)(std::vector<zorbit::DefinitionLine>&);
    std::string saved;
};

TEST(PageRoundTrip, AddedAndRemovedLinesTakeTheirNeighboursLineEnds) {
    const std::string lf = "<embed>\n<pre>\nTITLE \"A\"\nMENUITEM \"a;a.htm\"\nTITLE \"END\"\n</pre>\n";
    const zorbit::DefinitionLine added = {LineKind::Item, "New", "n.htm"};
    static zorbit::DefinitionLine item;
    item = added;
    const std::vector<Edit> cases = {
        {"added after an entry, LF", lf, [](auto& lines) { lines.insert(lines.begin() + 2, item); },
         "<embed>\n<pre>\nTITLE \"A\"\nMENUITEM \"a;a.htm\"\nMENUITEM \"New;n.htm\"\nTITLE \"END\"\n</pre>\n"},
        {"added first, LF", lf, [](auto& lines) { lines.insert(lines.begin(), item); },
         "<embed>\n<pre>\nMENUITEM \"New;n.htm\"\nTITLE \"A\"\nMENUITEM \"a;a.htm\"\nTITLE \"END\"\n</pre>\n"},
        {"removed with its line", lf, [](auto& lines) { lines.erase(lines.begin() + 1); },
         "<embed>\n<pre>\nTITLE \"A\"\nTITLE \"END\"\n</pre>\n"},
        {"removed from a shared line", "<embed>\r\n<p>TITLE \"Links\" MENUITEM \"a;a.htm\" TITLE \"END\"</p>\r\n",
         [](auto& lines) { lines.erase(lines.begin() + 1); }, "<embed>\r\n<p>TITLE \"Links\" TITLE \"END\"</p>\r\n"},
        {"added between entries of one line", "<embed>\r\n<p>TITLE \"Links\" TITLE \"END\"</p>\r\n",
         [](auto& lines) { lines.insert(lines.begin() + 1, item); },
         "<embed>\r\n<p>TITLE \"Links\" \r\nMENUITEM \"New;n.htm\"\r\nTITLE \"END\"</p>\r\n"},
        {"all removed, then one added", "<embed>\r\nTITLE \"A\"\r\n</html>",
         [](auto& lines) { lines.assign(1, item); }, "<embed>\r\nMENUITEM \"New;n.htm\"\r\n</html>"},
    };
    for (const Edit& c : cases) {
        SCOPED_TRACE(c.what);
        zorbit::PageReading reading = zorbit::ReadPageBytes(c.page);
        ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
        c.edit(reading.page.lines);
        const zorbit::SaveCheck check = zorbit::CheckSave(reading.page);
        ASSERT_TRUE(check.storable) << check.message;
        EXPECT_EQ(Visible(c.saved), Visible(check.bytes));
    }
}

// Entries the author did not touch give in the browser what they gave: an
// item without semicolon stays an empty item, a long line stays as written.
TEST(PageRoundTrip, UntouchedEntriesKeepWhatTheyShow) {
    const std::string page = "<embed>\nTITLE \"A\"\nMENUITEM \"AlsoNoSemicolon\"\nMENUITEM \"" + std::string(400, 'x') +
                             ";x.htm\"\nMENUITEM \"a;a.htm\"\n";
    zorbit::PageReading reading = zorbit::ReadPageBytes(page);
    ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
    EXPECT_EQ((zorbit::DefinitionLine{LineKind::Item, "", ""}), reading.page.lines[1]);
    reading.page.lines.back().caption = "b";
    const zorbit::SaveCheck check = zorbit::CheckSave(reading.page);
    ASSERT_TRUE(check.storable) << check.message;
    EXPECT_EQ(WithEntry(reading.page, reading.page.lines.size() - 1, reading.page.lines.back()), check.bytes);
}

// Save As names the new file in the embed tag and changes nothing else.
TEST(PageRoundTrip, ANewPreambleChangesOnlyItsOwnBytes) {
    const std::string page = "<embed filename=\"a.htm\">\n<p>TITLE \"A\" MENUITEM \"a;a.htm\"</p>\n";
    zorbit::PageReading reading = zorbit::ReadPageBytes(page);
    ASSERT_EQ(zorbit::ReadStatus::Read, reading.status) << reading.error;
    zorbit::ReplacePreamble(reading.page, "<embed filename=\"copy.htm\">\n<p>");
    EXPECT_EQ("<embed filename=\"copy.htm\">\n<p>TITLE \"A\" MENUITEM \"a;a.htm\"</p>\n",
              zorbit::ComposePage(reading.page));
    reading.page.lines[1].address = "b.htm";
    EXPECT_EQ("<embed filename=\"copy.htm\">\n<p>TITLE \"A\" MENUITEM \"a;b.htm\"</p>\n",
              zorbit::ComposePage(reading.page));
}

}  // namespace

// Entries to the clipboard as definition text and back, and what Paste and
// Duplicate do with them.
#include <gtest/gtest.h>

#include "editor/document/entry_clipboard.h"
#include "tests/editor_document/line_codes.h"

namespace {

const std::vector<std::string> kPage = {"T:A", "I:a1", "S:B", "I:b1", "e", "E", "T:C", "I:c1", "E"};

TEST(EntryClipboard, ABlockIsItsDefinitionLines) {
    DefinitionLines lines = Lines(kPage);
    lines[3].address = "b1.htm";
    EXPECT_EQ("SUBMENU \"B\"\r\nMENUITEM \"b1;b1.htm\"\r\nSUBMENU \"END\"\r\n", ClipboardText(lines, 2));
    EXPECT_EQ("TITLE \"C\"\r\nMENUITEM \"c1;\"\r\nTITLE \"END\"\r\n", ClipboardText(lines, 6));
}

struct Pasted {
    const char* text;
    std::vector<std::string> lines;
};

TEST(EntryClipboard, TextReadsBackAsWholeBlocks) {
    const Pasted cases[] = {
        {"SUBMENU \"B\"\r\nMENUITEM \"b1;b1.htm\"\r\nSUBMENU \"END\"\r\n", {"S:B", "I:b1", "e"}},
        // From a text editor: LF, other text between, several on one line.
        {"notes\nMENUITEM \"x;x.htm\" MENUITEM \"y;y.htm\"\nmore notes\n", {"I:x", "I:y"}},
        // A whole page: only its definition.
        {"<html><embed filename=\"p.htm\">\r\nTITLE \"P\"\r\nTITLE \"END\"\r\n</html>", {"T:P", "E"}},
        // Ends that close nothing go; what stays open is closed.
        {"SUBMENU \"END\"\r\nTITLE \"T\"\r\nSUBMENU \"S\"\r\nMENUITEM \"s;s\"\r\n", {"T:T", "S:S", "I:s", "e", "E"}},
        {"SUBMENU \"S\"\r\nTITLE \"END\"\r\n", {"S:S", "e"}},
        {"no definition here", {}},
    };
    for (const Pasted& pasted : cases) {
        SCOPED_TRACE(pasted.text);
        const DefinitionLines lines = LinesFromText(pasted.text);
        EXPECT_EQ(pasted.lines, Codes(lines));
        for (const zorbit::DefinitionLine& line : lines)
            EXPECT_EQ(zorbit::kNoLine, line.source) << "a pasted line is new to the page";
    }
    const DefinitionLines item = LinesFromText("MENUITEM \"Caf\xE9 \xBB; menu;a b.htm?x=\"1\"\"\r\n");
    ASSERT_EQ(1u, item.size());
    EXPECT_EQ("Caf\xE9 \xBB", item[0].caption);
    EXPECT_EQ(" menu;a b.htm?x=\"1\"", item[0].address);
}

TEST(EntryClipboard, CopiedBlocksPasteAndDuplicateWhole) {
    DefinitionLines lines = Lines(kPage);
    const DefinitionLines copied = LinesFromText(ClipboardText(lines, 2));
    // Into the selected title, as its first entry.
    EXPECT_EQ(7u, PasteLines(lines, 6, copied));
    EXPECT_EQ((std::vector<std::string>{"T:A", "I:a1", "S:B", "I:b1", "e", "E", "T:C", "S:B", "I:b1", "e", "I:c1", "E"}),
              Codes(lines));
    // A title goes after the title holding the selection.
    lines = Lines(kPage);
    EXPECT_EQ(6u, PasteLines(lines, 3, LinesFromText(ClipboardText(lines, 6))));
    EXPECT_EQ((std::vector<std::string>{"T:A", "I:a1", "S:B", "I:b1", "e", "E", "T:C", "I:c1", "E", "T:C", "I:c1", "E"}),
              Codes(lines));
    lines = Lines(kPage);
    EXPECT_EQ(kNoSelection, PasteLines(lines, 1, {}));
    EXPECT_EQ(5u, DuplicateBlock(lines, 2));
    EXPECT_EQ((std::vector<std::string>{"T:A", "I:a1", "S:B", "I:b1", "e", "S:B", "I:b1", "e", "E", "T:C", "I:c1", "E"}),
              Codes(lines));
}

}  // namespace

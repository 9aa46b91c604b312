// Adding, deleting and moving definition lines in the editor, lines written
// as short codes (line_codes.h).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/line_edits.h"
#include "tests/editor_document/line_codes.h"

namespace {

using zorbit::LineKind;

const std::vector<std::string> kPage = {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E", "T:C", "I:c1", "E"};

enum class Edit { AddTitle, AddSubmenu, AddItem, AddBreak, Delete, Up, Down };

struct Case {
    Edit edit;
    size_t selected;
    size_t result;  // the index returned
    std::vector<std::string> after;
};

TEST(LineEdits, EditsKeepTitlesAndSubmenusWhole) {
    const Case cases[] = {
        // A title goes after the whole title holding the selection.
        {Edit::AddTitle, 3, 8, {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E", "T:New menu", "E", "T:C", "I:c1", "E"}},
        // Into a selected title or submenu, as its first entry.
        {Edit::AddItem, 2, 3, {"T:A", "I:a1", "S:B", "I:New link", "I:b1", "I:b2", "e", "I:a2", "E", "T:C", "I:c1", "E"}},
        {Edit::AddSubmenu, 9, 10, {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E", "T:C", "I:c1", "S:New submenu", "e", "E"}},
        // Nothing selected: into the last title.
        {Edit::AddBreak, kNoSelection, 10, {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E", "T:C", "I:c1", "|", "E"}},
        {Edit::Delete, 2, 2, {"T:A", "I:a1", "I:a2", "E", "T:C", "I:c1", "E"}},
        {Edit::Delete, 0, 0, {"T:C", "I:c1", "E"}},
        {Edit::Delete, 9, 8, {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E", "T:C", "E"}},
        // An item past a whole submenu, a title past a whole title.
        {Edit::Up, 6, 2, {"T:A", "I:a1", "I:a2", "S:B", "I:b1", "I:b2", "e", "E", "T:C", "I:c1", "E"}},
        {Edit::Down, 0, 3, {"T:C", "I:c1", "E", "T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E"}},
        {Edit::Up, 8, 0, {"T:C", "I:c1", "E", "T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E"}},
        // At the edge of a menu: out of the submenu, into the next title.
        {Edit::Up, 3, 2, {"T:A", "I:a1", "I:b1", "S:B", "I:b2", "e", "I:a2", "E", "T:C", "I:c1", "E"}},
        {Edit::Down, 4, 5, {"T:A", "I:a1", "S:B", "I:b1", "e", "I:b2", "I:a2", "E", "T:C", "I:c1", "E"}},
        {Edit::Down, 6, 8, {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "E", "T:C", "I:a2", "I:c1", "E"}},
        // First of the first title, the last title: they stay.
        {Edit::Up, 1, kNoSelection, kPage},
        {Edit::Down, 8, kNoSelection, kPage},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const Case& c = cases[i];
        DefinitionLines lines = Lines(kPage);
        size_t result = kNoSelection;
        switch (c.edit) {
        case Edit::AddTitle: result = AddLine(lines, c.selected, LineKind::Title); break;
        case Edit::AddSubmenu: result = AddLine(lines, c.selected, LineKind::Submenu); break;
        case Edit::AddItem: result = AddLine(lines, c.selected, LineKind::Item); break;
        case Edit::AddBreak: result = AddLine(lines, c.selected, LineKind::Break); break;
        case Edit::Delete: result = DeleteBlock(lines, c.selected); break;
        case Edit::Up: result = MoveBlockUp(lines, c.selected); break;
        case Edit::Down: result = MoveBlockDown(lines, c.selected); break;
        }
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.after, Codes(lines));
    }
}

TEST(LineEdits, DeletingTheLastBlockLeavesNothingSelected) {
    DefinitionLines lines = Lines({"T:A", "I:a1", "E"});
    EXPECT_EQ(kNoSelection, DeleteBlock(lines, 0));
    EXPECT_TRUE(lines.empty());
}

}  // namespace

namespace {

struct Drop {
    size_t index;
    size_t target;
    DropPlace place;
    size_t result;
    std::vector<std::string> after;
};

TEST(LineEdits, DropsMoveWholeBlocksIntoOtherMenus) {
    const Drop drops[] = {
        // Onto a menu: last in it; after its row: first in it.
        {9, 2, DropPlace::Into, 5, {"T:A", "I:a1", "S:B", "I:b1", "I:b2", "I:c1", "e", "I:a2", "E", "T:C", "E"}},
        {9, 2, DropPlace::After, 3, {"T:A", "I:a1", "S:B", "I:c1", "I:b1", "I:b2", "e", "I:a2", "E", "T:C", "E"}},
        // A submenu into the other title, between entries.
        {2, 9, DropPlace::Before, 5, {"T:A", "I:a1", "I:a2", "E", "T:C", "S:B", "I:b1", "I:b2", "e", "I:c1", "E"}},
        // Before a title: the end of the title above.
        {3, 8, DropPlace::Before, 6, {"T:A", "I:a1", "S:B", "I:b2", "e", "I:a2", "I:b1", "E", "T:C", "I:c1", "E"}},
        // A title dropped inside another title lands beside it.
        {8, 4, DropPlace::Before, 0, {"T:C", "I:c1", "E", "T:A", "I:a1", "S:B", "I:b1", "I:b2", "e", "I:a2", "E"}},
        // Into itself, or where it stands: nothing moves.
        {2, 3, DropPlace::Before, kNoSelection, kPage},
        {2, 2, DropPlace::Into, kNoSelection, kPage},
        {1, 2, DropPlace::Before, kNoSelection, kPage},
    };
    for (const Drop& drop : drops) {
        SCOPED_TRACE("drop " + std::to_string(&drop - drops));
        DefinitionLines lines = Lines(kPage);
        EXPECT_EQ(drop.result, DropBlock(lines, drop.index, drop.target, drop.place));
        EXPECT_EQ(drop.after, Codes(lines));
    }
}

}  // namespace

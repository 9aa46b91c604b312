// Adding, deleting and moving definition lines in the editor. Lines are written as short codes:
// "T:x" TITLE "x", "E" TITLE "END", "S:x" SUBMENU "x", "e" SUBMENU "END",
// "I:x" MENUITEM "x;...", "-" SEPARATOR, "|" BREAK.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/app/line_edits.h"

namespace {

using zorbit::DefinitionLine;
using zorbit::LineKind;

DefinitionLines Lines(const std::vector<std::string>& codes) {
    DefinitionLines lines;
    for (const std::string& code : codes) {
        DefinitionLine line;
        const std::string caption = code.size() > 2 ? code.substr(2) : std::string();
        switch (code[0]) {
        case 'T': line.kind = LineKind::Title; break;
        case 'E': line.kind = LineKind::TitleEnd; break;
        case 'S': line.kind = LineKind::Submenu; break;
        case 'e': line.kind = LineKind::SubmenuEnd; break;
        case '-': line.kind = LineKind::Separator; break;
        case '|': line.kind = LineKind::Break; break;
        default: line.kind = LineKind::Item; break;
        }
        line.caption = caption;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Codes(const DefinitionLines& lines) {
    static const char* kinds[] = {"T", "E", "S", "e", "I", "-", "|"};
    std::vector<std::string> codes;
    for (const DefinitionLine& line : lines) {
        std::string code = kinds[static_cast<int>(line.kind)];
        if (!line.caption.empty())
            code += ":" + line.caption;
        codes.push_back(code);
    }
    return codes;
}

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
        // First and last in their menu: they stay.
        {Edit::Up, 1, kNoSelection, kPage},
        {Edit::Up, 3, kNoSelection, kPage},
        {Edit::Down, 4, kNoSelection, kPage},
        {Edit::Down, 6, kNoSelection, kPage},
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

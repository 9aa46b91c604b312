// The edits the editor makes to a page's definition lines. A title runs
// from its TITLE line to its TITLE "END", a submenu from its SUBMENU line to
// the matching SUBMENU "END"; such a block moves and goes as one.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/document/definition_document.h"

using DefinitionLines = std::vector<zorbit::DefinitionLine>;

constexpr size_t kNoSelection = static_cast<size_t>(-1);

// One past the last line of the block that starts at `index`.
size_t BlockEnd(const DefinitionLines& lines, size_t index);

// Adds a line of `kind` (Title, Submenu, Item, Separator or Break; a title
// or submenu comes with its "END" line) after the selected line, and
// returns the new line's index. A title goes after the whole title that
// holds the selection; anything else goes first into a selected title or
// submenu, or else right after the selected line. With no selection, at the
// end of the definition.
size_t AddLine(DefinitionLines& lines, size_t selected, zorbit::LineKind kind);

// Deletes the line's block. The line to select next, or kNoSelection.
size_t DeleteBlock(DefinitionLines& lines, size_t index);

// Swaps the line's block with the neighbouring block in the same menu. The
// line's new index, or kNoSelection when it is first (last) in its menu.
size_t MoveBlockUp(DefinitionLines& lines, size_t index);
size_t MoveBlockDown(DefinitionLines& lines, size_t index);

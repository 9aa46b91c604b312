// The edits the editor makes to a page's definition lines. A title runs
// from its TITLE line to its TITLE "END", a submenu from its SUBMENU line to
// the matching SUBMENU "END"; such a block moves, goes and is copied as one.
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

// Swaps the line's block with the neighbouring block in the same menu. At
// the edge of its menu an entry leaves it: out of a submenu to just before
// (after) it, out of a title to the end of the title before (the start of
// the title after). The line's new index, or kNoSelection when it cannot
// move further (a title first or last of all, an entry at the edge of the
// first or last title).
size_t MoveBlockUp(DefinitionLines& lines, size_t index);
size_t MoveBlockDown(DefinitionLines& lines, size_t index);

// Moves the line's block so that it stands before line `before`
// (lines.size(): at the end). The block's new index, or kNoSelection when
// `before` lies inside the block or at its edges, where nothing moves.
size_t MoveBlockTo(DefinitionLines& lines, size_t index, size_t before);

// Where an entry dragged in the tree is dropped, relative to `target`.
enum class DropPlace {
    Before,  // the target's place, the target after it
    Into,    // last in the target's menu (the target a title or submenu)
    After,   // right after the target's row: first in an open menu
};

// Moves the block of `index` to the drop place. A title lands only between
// titles: before or after the title that holds the target. The block's new
// index, or kNoSelection when nothing moves.
size_t DropBlock(DefinitionLines& lines, size_t index, size_t target, DropPlace place);

// Copies the line's block right after it. The copy's index.
size_t DuplicateBlock(DefinitionLines& lines, size_t index);

// Inserts `pasted` (whole blocks) where AddLine would put a line: a paste
// holding a title after the title that holds the selection, anything else
// into a selected title or submenu or after the selected line. The index of
// the first pasted line, or kNoSelection when nothing was pasted.
size_t PasteLines(DefinitionLines& lines, size_t selected, const DefinitionLines& pasted);

// The editor's tree of the page's menus: one row per entry, nested as the
// browser nests the menus, each row naming its entry and why it never shows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "editor/document/definition_document.h"
#include "editor/document/line_edits.h"

class EntryTree {
public:
    void Attach(HWND tree) { tree_ = tree; }
    HWND hwnd() const { return tree_; }
    // While it fills, its selection changes are its own, not the person's.
    bool Filling() const { return filling_; }

    // Fills the tree anew and selects the entry of `selectLine` (the first
    // entry when no entry has it; none for kNoSelection).
    void Fill(const std::vector<zorbit::MenuEntry>& menus, size_t selectLine);
    // Updates the rows' texts when the entries kept their shape; false when
    // the tree must be filled anew.
    bool Rename(const std::vector<zorbit::MenuEntry>& before, const std::vector<zorbit::MenuEntry>& now);

    // The selected entry's index, or kNoSelection.
    size_t SelectedEntry() const;
    void SelectEntry(size_t index);
    // Selects the entry of a definition line; for an "END" line, which has
    // no entry of its own, the entry before it.
    void SelectLine(const std::vector<zorbit::MenuEntry>& menus, size_t line);

    // Where a drop at a point of the tree goes: onto the row's entry or
    // between it and a neighbour. kNoSelection when no row is there. Marks
    // that row as the drop target.
    size_t DropTarget(POINT at, const std::vector<zorbit::MenuEntry>& menus, DropPlace& place);
    void ClearDropTarget() { TreeView_SelectDropTarget(tree_, nullptr); }

private:
    HWND tree_ = nullptr;
    std::vector<HTREEITEM> items_;
    bool filling_ = false;
};

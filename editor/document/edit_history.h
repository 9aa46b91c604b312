// Undo and Redo of the editor: each step keeps the page's lines as they
// were, the line selected then and the page's version (so that undoing back
// to the saved version shows the page unmodified again).
#pragma once

#include <vector>

#include "editor/document/line_edits.h"

struct EditState {
    DefinitionLines lines;
    size_t selectedLine = kNoSelection;
    unsigned version = 0;
};

class EditHistory {
public:
    // A new step, taken from `before`; what could be redone is gone.
    void Record(EditState before);
    // Puts the last step's state in `current` and keeps `current` for Redo;
    // false when there is nothing to undo.
    bool Undo(EditState& current);
    // The reverse of Undo.
    bool Redo(EditState& current);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    void Clear();

private:
    std::vector<EditState> undo_;
    std::vector<EditState> redo_;
};

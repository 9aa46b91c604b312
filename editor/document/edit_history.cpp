#include "editor/document/edit_history.h"

#include <utility>

namespace {

bool Step(std::vector<EditState>& from, std::vector<EditState>& to, EditState& current) {
    if (from.empty())
        return false;
    to.push_back(std::move(current));
    current = std::move(from.back());
    from.pop_back();
    return true;
}

}  // namespace

void EditHistory::Record(EditState before) {
    undo_.push_back(std::move(before));
    redo_.clear();
}

bool EditHistory::Undo(EditState& current) { return Step(undo_, redo_, current); }

bool EditHistory::Redo(EditState& current) { return Step(redo_, undo_, current); }

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

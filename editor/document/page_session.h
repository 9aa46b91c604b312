// One page as the editor holds it: the lines being edited, the file they
// came from, the page as the plug-in reads it now, Undo and Redo, and whether
// it changed since it was saved. What an edit, an undo or a save does is
// decided here; the window only shows the session and asks the person.
//
// Typical use:
//   PageSession session;
//   session.Show(ReadPageFile(path).page, path);
//   size_t select = session.Edit(selected, [&](DefinitionLines& lines) {
//       return AddLine(lines, selected, LineKind::Item);
//   });
//   if (session.FirstSaveStep(false) == SaveStep::Write)
//       SaveOutcome outcome = session.Save(session.path(), false);
#pragma once

#include <functional>
#include <string>

#include "editor/document/definition_document.h"
#include "editor/document/edit_history.h"
#include "editor/document/line_edits.h"

// What a save needs before the page can be written.
enum class SaveStep {
    Unchanged,       // the file holds this page already: nothing to write
    AskName,         // Save As, or a new page without a name
    OfferOtherName,  // the file is read-only
    Write,
};

enum class EntryField { Caption, Address };

class PageSession {
public:
    // A page opened or begun: no Undo, nothing modified.
    void Show(zorbit::DefinitionPage page, const std::string& path);

    const zorbit::DefinitionPage& page() const { return page_; }
    const DefinitionLines& lines() const { return page_.lines; }
    const std::string& path() const { return path_; }
    const zorbit::PageReading& view() const { return view_; }
    bool Modified() const { return version_ != savedVersion_; }
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

    // Changes the lines as `edit` says, as one Undo step that remembers
    // `selected`; an edit that leaves the lines as they were is no step.
    // `edit` returns the line to select, which is returned.
    size_t Edit(size_t selected, const std::function<size_t(DefinitionLines&)>& edit);
    // Typing into a field of a line: one Undo step for as long as the typing
    // stays in that field of that line; any other edit ends it.
    void Type(EntryField field, size_t line, const std::string& text);
    void EndTyping() { typing_ = false; }
    // The line to select afterwards, or kNoSelection when there was no step.
    size_t Undo(size_t selected);
    size_t Redo(size_t selected);

    SaveStep FirstSaveStep(bool saveAs) const;
    // Writes the page to `path`. A new page, or a copy under another name,
    // names itself in its embed tag. A file that changed on disk since it was
    // read is not written over unless `overwriteChanges`. Once saved, the page
    // is read back from the file and is unmodified.
    zorbit::SaveOutcome Save(const std::string& path, bool overwriteChanges);

private:
    void NewVersion();
    size_t Step(bool redo, size_t selected);

    zorbit::DefinitionPage page_;
    std::string path_;  // empty for a new page never saved
    zorbit::PageReading view_;
    EditHistory history_;
    unsigned version_ = 0;
    unsigned savedVersion_ = 0;
    unsigned nextVersion_ = 1;
    bool typing_ = false;
    EntryField typingField_ = EntryField::Caption;
    size_t typingLine_ = kNoSelection;
};

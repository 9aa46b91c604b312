#include "editor/document/page_session.h"

#include <cstdio>

#include "editor/document/embed_target.h"

namespace {

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FileExists(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

}  // namespace

void PageSession::Show(zorbit::DefinitionPage page, const std::string& path) {
    page_ = std::move(page);
    path_ = path;
    history_.Clear();
    typing_ = false;
    version_ = savedVersion_ = nextVersion_++;
    view_ = zorbit::ReadEditedPage(page_);
}

void PageSession::NewVersion() {
    version_ = nextVersion_++;
    view_ = zorbit::ReadEditedPage(page_);
}

size_t PageSession::Edit(size_t selected, const std::function<size_t(DefinitionLines&)>& edit) {
    EditState before{page_.lines, selected, version_};
    const size_t select = edit(page_.lines);
    typing_ = false;
    if (page_.lines == before.lines)
        return select;
    history_.Record(std::move(before));
    NewVersion();
    return select;
}

void PageSession::Type(EntryField field, size_t line, const std::string& text) {
    if (line >= page_.lines.size())
        return;
    if (!typing_ || typingField_ != field || typingLine_ != line) {
        history_.Record({page_.lines, line, version_});
        typing_ = true;
        typingField_ = field;
        typingLine_ = line;
    }
    zorbit::DefinitionLine& edited = page_.lines[line];
    (field == EntryField::Caption ? edited.caption : edited.address) = text;
    NewVersion();
}

size_t PageSession::Step(bool redo, size_t selected) {
    EditState state{page_.lines, selected, version_};
    if (!(redo ? history_.Redo(state) : history_.Undo(state)))
        return kNoSelection;
    page_.lines = std::move(state.lines);
    version_ = state.version;
    typing_ = false;
    view_ = zorbit::ReadEditedPage(page_);
    return state.selectedLine;
}

size_t PageSession::Undo(size_t selected) { return Step(false, selected); }
size_t PageSession::Redo(size_t selected) { return Step(true, selected); }

SaveStep PageSession::FirstSaveStep(bool saveAs) const {
    if (saveAs || path_.empty())
        return SaveStep::AskName;
    // Saving an unchanged page again would only replace NAME.bak, the
    // version before the last save, with a copy of the page.
    if (!Modified() && FileExists(path_))
        return SaveStep::Unchanged;
    if (zorbit::IsReadOnlyFile(path_))
        return SaveStep::OfferOtherName;
    return SaveStep::Write;
}

zorbit::SaveOutcome PageSession::Save(const std::string& path, bool overwriteChanges) {
    // A page's embed tag names the page itself, so a new page, or a copy
    // saved under another name, takes the name it is saved under.
    zorbit::DefinitionPage toSave = page_;
    if (path_.empty()) {
        toSave = zorbit::NewPage(FileNameOf(path));
        toSave.lines = page_.lines;
    } else {
        std::string preamble = toSave.preamble;
        if (RetargetEmbed(preamble, FileNameOf(path_), FileNameOf(path)))
            zorbit::ReplacePreamble(toSave, preamble);
    }
    // A page the file was read from is not written over another program's
    // change without asking.
    zorbit::SaveOptions options;
    if (path == path_ && !page_.originalBytes.empty() && !overwriteChanges)
        options.expected = &page_.originalBytes;
    zorbit::SaveOutcome outcome = zorbit::SavePage(toSave, path, options);
    if (!outcome.saved)
        return outcome;
    // Read back as saved, so that lines and their numbers are the file's own
    // again.
    zorbit::PageReading reading = zorbit::ReadPageFile(path);
    page_ = reading.status == zorbit::ReadStatus::Read ? std::move(reading.page) : std::move(toSave);
    path_ = path;
    savedVersion_ = version_;
    typing_ = false;
    view_ = zorbit::ReadEditedPage(page_);
    return outcome;
}

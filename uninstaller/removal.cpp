#include "uninstaller/removal.h"

namespace {

const char* Label(ThingKind kind) {
    switch (kind) {
    case ThingKind::PluginFile: return "Plug-in file";
    case ThingKind::Favorite: return "Favourite";
    case ThingKind::BookmarkEntries: return "Bookmark entries";
    case ThingKind::DesktopShortcut: return "Desktop shortcut";
    case ThingKind::ProgramGroup: return "Program group";
    case ThingKind::Settings: return "Settings";
    }
    return "";
}

std::string Where(const Removal& removal) {
    switch (removal.kind) {
    case ThingKind::BookmarkEntries:
        return "in " + std::to_string(removal.fileCount) + (removal.fileCount == 1 ? " file " : " files ") +
               removal.path;
    case ThingKind::ProgramGroup:
        return removal.path + " with its shortcuts";
    case ThingKind::Settings:
        return "profile entry Zorbit, sections LocalZB and CollectionNames of " + removal.path;
    default:
        return removal.path;
    }
}

}  // namespace

std::string OutcomeText(const RemovalResult& result) {
    switch (result.outcome) {
    case Outcome::Pending: return "to be removed";
    case Outcome::Removed: return "removed";
    case Outcome::AlreadyGone: return "already gone";
    case Outcome::NotOurs: return "kept, not Zorbit's: " + result.reason;
    case Outcome::InUse: return "in use, removed when Windows restarts";
    case Outcome::Failed: return "failed: " + result.reason;
    }
    return "";
}

std::string RowText(const Removal& removal) {
    const RemovalResult& shown = removal.result.outcome != Outcome::Pending ? removal.result : removal.refusal;
    return std::string(Label(removal.kind)) + "\t" + OutcomeText(shown) + "\t" + Where(removal);
}

bool KeepsRecordKey(Outcome outcome) { return outcome != Outcome::Removed && outcome != Outcome::AlreadyGone; }

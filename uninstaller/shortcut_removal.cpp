#include "uninstaller/removal_steps.h"
#include "uninstaller/shortcut_reader.h"

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '"'))
        text.pop_back();
    size_t first = text.find_first_not_of(" \"");
    return first == std::string::npos ? std::string() : text.substr(first);
}

// The shortcut's file, when it is a shortcut that passes the check.
RemovalResult CheckShortcut(const std::string& path, bool (*ours)(const ShortcutFields&, const Product&),
                            const Product& product) {
    switch (KindOf(path)) {
    case PathKind::Missing: return {Outcome::AlreadyGone, ""};
    case PathKind::Folder: return {Outcome::NotOurs, "it is a folder"};
    case PathKind::File: break;
    }
    ShortcutFields fields;
    if (!ReadShortcut(path, fields))
        return {Outcome::NotOurs, "it is not a shortcut"};
    if (!ours(fields, product))
        return {Outcome::NotOurs, "it does not name this product"};
    return {Outcome::Pending, ""};
}

bool OpensStartPage(const ShortcutFields& fields, const Product& product) {
    return SameText(Trimmed(fields.arguments), StartPagePath(product));
}

bool StartsEditor(const ShortcutFields& fields, const Product& product) {
    return SameText(Trimmed(fields.target), product.directory + "\\ZBEditor.exe");
}

bool StartsUninstaller(const ShortcutFields& fields, const Product& product) {
    return SameText(Trimmed(fields.target), product.directory + "\\Uninstall.exe");
}

RemovalResult RemoveShortcut(const std::string& path, bool (*ours)(const ShortcutFields&, const Product&),
                             const Product& product) {
    RemovalResult checked = CheckShortcut(path, ours, product);
    if (checked.outcome != Outcome::Pending)
        return checked;
    return DeleteOwnFile(path);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

RemovalResult RemoveBrowserShortcut(const Product& product, const std::string& path) {
    return RemoveShortcut(path, OpensStartPage, product);
}

bool ProgramGroupPresent(const std::string& folder) { return KindOf(folder) == PathKind::Folder; }

RemovalResult RemoveProgramGroup(const Product& product, const std::string& folder) {
    switch (KindOf(folder)) {
    case PathKind::Missing: return {Outcome::AlreadyGone, ""};
    case PathKind::File: return {Outcome::NotOurs, "it is a file"};
    case PathKind::Folder: break;
    }
    if (!SameText(FileNameOf(folder), "Zorbit"))
        return {Outcome::NotOurs, "the folder is not named Zorbit"};

    struct GroupShortcut {
        const char* name;
        bool (*ours)(const ShortcutFields&, const Product&);
    };
    const GroupShortcut shortcuts[] = {
        {"ZBEditor.LNK", StartsEditor},
        {"Uninstall.LNK", StartsUninstaller},
        {"Zor Bit IE.LNK", OpensStartPage},
    };
    RemovalResult kept;
    RemovalResult failed;
    for (const GroupShortcut& shortcut : shortcuts) {
        RemovalResult result = RemoveShortcut(folder + "\\" + shortcut.name, shortcut.ours, product);
        if (result.outcome == Outcome::NotOurs && kept.outcome == Outcome::Pending)
            kept = {Outcome::NotOurs, std::string(shortcut.name) + ": " + result.reason};
        if (result.outcome == Outcome::Failed && failed.outcome == Outcome::Pending)
            failed = {Outcome::Failed, std::string(shortcut.name) + ": " + result.reason};
    }
    if (failed.outcome != Outcome::Pending)
        return failed;
    if (kept.outcome != Outcome::Pending)
        return kept;
    if (RemoveDirectoryA(folder.c_str()))
        return {Outcome::Removed, ""};
    DWORD error = GetLastError();
    if (error == ERROR_DIR_NOT_EMPTY)
        return {Outcome::NotOurs, "the folder holds other files"};
    return {Outcome::Failed, SystemReason(error)};
}

#include "uninstaller/removal_plan.h"

#include "uninstaller/removal_steps.h"

namespace {

struct RecordedThing {
    const char* key;
    ThingKind kind;
};

const RecordedThing kRecordedThings[] = {
    {kIePluginKey, ThingKind::PluginFile},         {kNsPluginKey, ThingKind::PluginFile},
    {kFavoriteKey, ThingKind::Favorite},           {kBookmarkKey, ThingKind::BookmarkEntries},
    {kDesktopShortcutKey, ThingKind::DesktopShortcut}, {kProgramGroupKey, ThingKind::ProgramGroup},
};

void Probe(const Product& product, Removal& thing) {
    if (thing.path.empty())
        return;
    switch (thing.kind) {
    case ThingKind::BookmarkEntries:
        if (!IsBookmarkPattern(thing.path)) {
            thing.refusal = {Outcome::NotOurs, "not the pattern of the bookmark files"};
            thing.present = true;
            return;
        }
        thing.fileCount = CountBookmarkFiles(product, thing.path);
        thing.present = thing.fileCount > 0;
        return;
    case ThingKind::ProgramGroup:
        thing.present = ProgramGroupPresent(thing.path);
        return;
    default:
        thing.present = KindOf(thing.path) != PathKind::Missing;
        return;
    }
}

RemovalResult Remove(const Product& product, const Removal& thing) {
    if (thing.refusal.outcome != Outcome::Pending)
        return thing.refusal;
    if (thing.path.empty())
        return {Outcome::AlreadyGone, ""};
    switch (thing.kind) {
    case ThingKind::PluginFile: return RemovePluginFile(product, thing.path);
    case ThingKind::Favorite: return RemoveFavorite(product, thing.path);
    case ThingKind::BookmarkEntries: return RemoveBookmarkEntries(product, thing.path);
    case ThingKind::DesktopShortcut: return RemoveBrowserShortcut(product, thing.path);
    case ThingKind::ProgramGroup: return RemoveProgramGroup(product, thing.path);
    case ThingKind::Settings: return RemoveSettings(product);
    }
    return {Outcome::Failed, "unknown part"};
}

}  // namespace

std::vector<Removal> PlanRemoval(const Product& product) {
    std::vector<Removal> plan;
    bool staleKeys = false;
    for (const RecordedThing& recorded : kRecordedThings) {
        RecordValue value = ReadRecordValue(product, recorded.key);
        if (!value.present)
            continue;
        // Both plug-in keys naming one file make one row.
        if (recorded.kind == ThingKind::PluginFile && !value.tooLong && !value.notFull && !plan.empty() &&
            plan.back().kind == ThingKind::PluginFile && plan.back().refusal.outcome == Outcome::Pending &&
            SameText(plan.back().path, value.text)) {
            plan.back().keys.push_back(recorded.key);
            continue;
        }
        Removal thing;
        thing.kind = recorded.kind;
        thing.keys.push_back(recorded.key);
        if (value.tooLong) {
            thing.path = "(a recorded path too long to be one)";
            thing.refusal = {Outcome::Failed, "the recorded path is too long"};
            thing.present = true;
        } else if (value.notFull) {
            // Relative or rooted, it would name a different place for each
            // current directory: nothing is looked at there.
            thing.path = value.text;
            thing.refusal = {Outcome::Failed, "the recorded path is not a full path"};
            thing.present = true;
        } else {
            thing.path = value.text;
            Probe(product, thing);
        }
        staleKeys = staleKeys || !thing.present;
        plan.push_back(thing);
    }
    Removal settings;
    settings.kind = ThingKind::Settings;
    settings.path = product.recordPath;
    // Keys whose things are gone are cleared with the settings.
    settings.present = SettingsPresent(product) || staleKeys;
    plan.push_back(settings);
    return plan;
}

bool AnythingToRemove(const std::vector<Removal>& plan) {
    for (const Removal& thing : plan)
        if (thing.present)
            return true;
    return false;
}

void CarryOutRemoval(const Product& product, std::vector<Removal>& plan) {
    bool forgotStaleKeys = false;
    std::string recordFailure;
    for (Removal& thing : plan) {
        if (thing.kind == ThingKind::Settings)
            continue;
        thing.result = Remove(product, thing);
        if (KeepsRecordKey(thing.result.outcome))
            continue;
        for (const std::string& key : thing.keys)
            if (!ForgetRecordKey(product, key.c_str()) && recordFailure.empty())
                recordFailure = (GetFileAttributesA(product.recordPath.c_str()) & FILE_ATTRIBUTE_READONLY)
                                    ? std::string(kRecordFileName) + " is read-only"
                                    : SystemReason(GetLastError());
        forgotStaleKeys = forgotStaleKeys || !thing.present;
    }
    for (Removal& thing : plan) {
        if (thing.kind != ThingKind::Settings)
            continue;
        thing.result = RemoveSettings(product);
        if (thing.result.outcome == Outcome::AlreadyGone && forgotStaleKeys)
            thing.result.outcome = Outcome::Removed;
        // A record that keeps naming removed things would be listed again
        // by every later run: the run has not finished.
        if (!recordFailure.empty()) {
            thing.present = true;
            thing.result = {Outcome::Failed, "the record could not be updated: " + recordFailure};
        }
    }
    DeleteRecordFileIfEmpty(product);
}

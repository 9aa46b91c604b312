#include "uninstaller/removal_plan.h"

#include "uninstaller/removal_steps.h"

namespace {

struct RecordedThing {
    const char* key;
    ThingKind kind;
};

const RecordedThing kRecordedThings[] = {
    {"IE_PLUGIN", ThingKind::PluginFile},       {"NS_PLUGIN", ThingKind::PluginFile},
    {"FAVORITE", ThingKind::Favorite},          {"BOOKMARK", ThingKind::BookmarkEntries},
    {"IE ICON", ThingKind::DesktopShortcut},    {"Start Directory", ThingKind::ProgramGroup},
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
    case ThingKind::PluginFile: return RemovePluginFile(thing.path);
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
        if (recorded.kind == ThingKind::PluginFile && !value.tooLong && !plan.empty() &&
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
    for (Removal& thing : plan) {
        if (thing.kind == ThingKind::Settings)
            continue;
        thing.result = Remove(product, thing);
        if (KeepsRecordKey(thing.result.outcome))
            continue;
        for (const std::string& key : thing.keys)
            ForgetRecordKey(product, key.c_str());
        forgotStaleKeys = forgotStaleKeys || !thing.present;
    }
    for (Removal& thing : plan) {
        if (thing.kind != ThingKind::Settings)
            continue;
        thing.result = RemoveSettings(product);
        if (thing.result.outcome == Outcome::AlreadyGone && forgotStaleKeys)
            thing.result.outcome = Outcome::Removed;
    }
    DeleteRecordFileIfEmpty(product);
}

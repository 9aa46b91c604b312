// One thing the install record names, as the uninstaller shows it in its
// list and takes it back, and the outcome of taking it back.
#pragma once

#include <string>
#include <vector>

enum class Outcome {
    Pending,      // not yet removed
    Removed,
    AlreadyGone,
    NotOurs,      // kept, because it is not Zorbit's
    InUse,        // removed when Windows restarts
    Failed,
};

struct RemovalResult {
    Outcome outcome = Outcome::Pending;
    std::string reason;  // why it was kept or failed
};

enum class ThingKind { PluginFile, Favorite, BookmarkEntries, DesktopShortcut, ProgramGroup, Settings };

struct Removal {
    ThingKind kind = ThingKind::Settings;
    std::string path;               // the file, pattern or folder the record names
    std::vector<std::string> keys;  // the "Zorbit Setup" keys that name it
    bool present = false;           // there now, so it gets a row
    int fileCount = 0;              // bookmark files that hold an entry
    // Set when the record's value already rules out removal (a path too
    // long to be one, a pattern that is not the bookmark files').
    RemovalResult refusal;
    RemovalResult result;
};

// The row's three columns, separated by tabs: what, outcome, where.
std::string RowText(const Removal& removal);
std::string OutcomeText(const RemovalResult& result);

// Keeps a key in the record only when its thing could not be removed, so
// that a second run can finish the job.
bool KeepsRecordKey(Outcome outcome);

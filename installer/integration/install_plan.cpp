#include "installer/integration/install_plan.h"

#include "installer/integration/install_steps.h"

namespace {

const char kNoProductDirectory[] = "the product directory is unknown";

StepResult Outcome(bool done, const char* reason) {
    return done ? StepResult{StepOutcome::Done, ""} : StepResult{StepOutcome::Failed, reason};
}

StepResult CarryOut(InstallState& state, InstallStepKind kind) {
    // The page's steps need the product directory the page captured; the
    // settings capture it again themselves.
    bool pageStep = kind == InstallStepKind::PluginFile || kind == InstallStepKind::Favorite ||
                    kind == InstallStepKind::BookmarkEntry;
    if (pageStep && state.productDirectory.empty())
        return {StepOutcome::Failed, kNoProductDirectory};
    switch (kind) {
    case InstallStepKind::PluginFile: return CopyPluginFile(state);
    case InstallStepKind::Favorite: return Outcome(AddFavorite(state), "no favourite could be added");
    case InstallStepKind::BookmarkEntry:
        return Outcome(AddNetscapeBookmark(state), "the registry names no Netscape user directory");
    case InstallStepKind::ProgramGroup:
        return Outcome(CreateProgramGroup(state), "the program group could not be made whole");
    case InstallStepKind::BrowserShortcuts:
        return Outcome(CreateBrowserShortcuts(state), "a browser shortcut could not be made");
    case InstallStepKind::Settings:
        return Outcome(WriteCollectionSettings(state) == 1, "the settings could not be written");
    }
    return {StepOutcome::Failed, "unknown step"};
}

// The plug-in's record key follows the bookmark or favourite, as the record
// has always listed them.
void RecordPlugin(const InstallState& state, InstallStep& step) {
    const char* key = state.netscape ? kNsPluginKey : kIePluginKey;
    if (!WriteRecordValue(state.RecordedProduct(), key, state.pluginPath))
        step.result.reason = "copied, but not noted in SetUp.ini";
}

}  // namespace

std::vector<InstallStep> PlanPageSteps(bool netscape) {
    return {{InstallStepKind::PluginFile, {}},
            {netscape ? InstallStepKind::BookmarkEntry : InstallStepKind::Favorite, {}}};
}

std::vector<InstallStep> PlanFinishSteps() {
    return {{InstallStepKind::ProgramGroup, {}}, {InstallStepKind::BrowserShortcuts, {}}, {InstallStepKind::Settings, {}}};
}

void CarryOutInstall(InstallState& state, std::vector<InstallStep>& steps) {
    for (InstallStep& step : steps)
        step.result = CarryOut(state, step.kind);
    for (InstallStep& step : steps)
        if (step.kind == InstallStepKind::PluginFile && step.result.outcome == StepOutcome::Done)
            RecordPlugin(state, step);
}

bool StepDone(const std::vector<InstallStep>& steps, InstallStepKind kind) {
    for (const InstallStep& step : steps)
        if (step.kind == kind)
            return step.result.outcome == StepOutcome::Done;
    return false;
}

bool AllDone(const std::vector<InstallStep>& steps) {
    for (const InstallStep& step : steps)
        if (step.result.outcome != StepOutcome::Done)
            return false;
    return true;
}

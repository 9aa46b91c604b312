// The installation as a plan of steps: the install page carries out the
// plug-in copy and the bookmark or favourite each time it is shown, Finish
// the program group, the browser shortcuts and the settings. Each step ends
// with an outcome and its reason; what a step put in place is noted in the
// install record (common/install_record.h), where the uninstaller finds it.
//
// Typical use (the install page):
//   std::vector<InstallStep> steps = PlanPageSteps(state.netscape);
//   CarryOutInstall(state, steps);
//   show StepDone(steps, InstallStepKind::PluginFile) ? path : failure text
#pragma once

#include <string>
#include <vector>

#include "installer/integration/install_state.h"

enum class StepOutcome {
    Pending,  // not yet carried out
    Done,
    Failed,
};

struct StepResult {
    StepOutcome outcome = StepOutcome::Pending;
    std::string reason;  // why it failed, or what of it is missing
};

enum class InstallStepKind { PluginFile, Favorite, BookmarkEntry, ProgramGroup, BrowserShortcuts, Settings };

struct InstallStep {
    InstallStepKind kind = InstallStepKind::PluginFile;
    StepResult result;
};

// The page's steps: the plug-in, then the bookmark (Netscape) or the
// favourite (Internet Explorer).
std::vector<InstallStep> PlanPageSteps(bool netscape);
// Finish: the program group, the browser shortcuts, the settings.
std::vector<InstallStep> PlanFinishSteps();

// Carries out every step in order and sets its result. A FileError of a
// step leaves at once, as it leaves the step.
void CarryOutInstall(InstallState& state, std::vector<InstallStep>& steps);

bool StepDone(const std::vector<InstallStep>& steps, InstallStepKind kind);
bool AllDone(const std::vector<InstallStep>& steps);

// Copies the build of the plug-in for the chosen browser to state.pluginPath.
StepResult CopyPluginFile(const InstallState& state);

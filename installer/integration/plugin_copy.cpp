#include "installer/integration/install_plan.h"

#include <windows.h>

#include "installer/integration/pending_delete.h"

StepResult CopyPluginFile(const InstallState& state) {
    if (state.pluginPath.empty())
        return {StepOutcome::Failed, "no plug-in directory was chosen"};
    std::string source = state.productDirectory + (state.netscape ? "\\DemoNs.dll" : "\\DemoIe.dll");
    if (!CopyFileA(source.c_str(), state.pluginPath.c_str(), FALSE))
        return {StepOutcome::Failed, "the plug-in could not be copied (error " + std::to_string(GetLastError()) + ")"};
    // An uninstall that met the earlier copy held may have left its deletion
    // for the next restart, which would take this copy.
    CancelDeleteAtRestart(state.pluginPath);
    return {StepOutcome::Done, ""};
}

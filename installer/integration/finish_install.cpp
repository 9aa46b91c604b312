#include "installer/integration/install_steps.h"

bool FinishInstall(InstallState& state) {
    CreateProgramGroup(state);
    CreateBrowserShortcuts(state);
    WriteCollectionSettings(state);
    return true;
}

#include "installer/integration/install_plan.h"
#include "installer/integration/install_steps.h"

bool FinishInstall(InstallState& state) {
    std::vector<InstallStep> steps = PlanFinishSteps();
    CarryOutInstall(state, steps);
    return AllDone(steps);
}

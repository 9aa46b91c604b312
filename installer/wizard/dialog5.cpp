#include "installer/wizard/dialog5.h"

#include "installer/integration/install_plan.h"
#include "installer/integration/install_steps.h"
#include "installer/resources/resource_ids.h"
#include "installer/wizard/wizard_state.h"

namespace {

const char kFailureText[] = "The installation failed. Select another directory to try again.";

}  // namespace

Dialog5::Dialog5() : PropertyPage(IDD_DIALOG5) {}

void Dialog5::OnInitDialog() {
    state_ = ParentState();
    headlineText_ = " Zorbit plug-in has been installed in directory below:";
    // A product directory that does not fit is not cut short: without one
    // nothing is copied from it or written under it.
    if (state_)
        install_.startDirectory = state_->GetStartDirectory();
    CaptureProductDirectory(install_);
}

void Dialog5::OnSetActive() { InstallPlugin(); }

void Dialog5::InstallPlugin() {
    PostWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    if (!state_)
        return;
    install_.pluginPath = state_->GetPluginPath();
    install_.browserProgramDirectory = state_->GetBrowserProgramDirectory();
    locationText_ = install_.pluginPath;

    int choice = state_->GetBrowserChoice();
    bool known = choice >= BrowserNetscape && choice <= BrowserIE4;
    install_.netscape = choice == BrowserNetscape;
    std::vector<InstallStep> steps = known ? PlanPageSteps(install_.netscape) : std::vector<InstallStep>();
    CarryOutInstall(install_, steps);
    if (!StepDone(steps, InstallStepKind::PluginFile)) {
        locationText_ = kFailureText;
        headlineText_.clear();
    }
    SetDlgItemTextA(Window(), IDC_LOCATION, locationText_.c_str());
    SetDlgItemTextA(Window(), IDC_HEADLINE, headlineText_.c_str());
}

bool Dialog5::OnWizardFinish() {
    if (state_)
        install_.browserProgramDirectory = state_->GetBrowserProgramDirectory();
    // What Finish could not put in place is not the user's to fix here: the
    // wizard closes either way.
    FinishInstall(install_);
    return true;
}

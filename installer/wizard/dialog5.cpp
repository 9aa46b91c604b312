#include "installer/wizard/dialog5.h"

#include "installer/integration/install_steps.h"
#include "installer/resources/resource_ids.h"
#include "installer/wizard/main_sheet.h"

Dialog5::Dialog5() : PropertyPage(IDD_DIALOG5) {}

void Dialog5::OnInitDialog() { sheet_ = ParentSheet(); }

void Dialog5::OnSetActive() { PostWizardButtons(PSWIZB_BACK | PSWIZB_FINISH); }

bool Dialog5::OnWizardFinish() {
    if (sheet_)
        state_.browserProgramDirectory = sheet_->GetBrowserProgramDirectory();
    return FinishInstall(state_);
}

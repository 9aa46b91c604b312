#include "installer/wizard/dialog4.h"

#include "installer/resources/resource_ids.h"
#include "installer/wizard/main_sheet.h"

Dialog4::Dialog4() : PropertyPage(IDD_DIALOG4) {}

void Dialog4::OnSetActive() {
    if (ParentSheet())
        PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}

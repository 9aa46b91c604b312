#include "installer/wizard/dialog1.h"

#include <cstring>

#include "installer/resources/resource_ids.h"
#include "installer/wizard/wizard_state.h"

Dialog1::Dialog1() : PropertyPage(IDD_DIALOG1) {}

void Dialog1::OnSetActive() {
    if (ParentState())
        PostWizardButtons(PSWIZB_NEXT);
    HideHelpButton();
}

void Dialog1::HideHelpButton() {
    for (HWND sibling = GetWindow(Window(), GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        char text[16] = "";
        GetWindowTextA(sibling, text, sizeof text);
        if (std::strcmp(text, "Help") == 0)
            ShowWindow(sibling, SW_HIDE);
    }
}

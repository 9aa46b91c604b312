// The browser page: the choice of browser, and the refusal to go on while
// an Internet Explorer window is open.
#pragma once

#include "installer/wizard/wizard_state.h"
#include "installer/wizard/property_page.h"

class Dialog3 : public PropertyPage {
public:
    Dialog3();

protected:
    void OnInitDialog() override;
    bool OnKillActive() override;
    void OnCommand(WORD id, WORD code) override;

private:
    bool CheckBrowserClosed();

    HWND ie4Button_ = nullptr;
    HWND ie3Button_ = nullptr;
    HWND netscapeButton_ = nullptr;
    WizardState* state_ = nullptr;
    int browserChoice_ = BrowserIE4;
};

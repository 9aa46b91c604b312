// The install page: carries out the page's install steps each time it is
// shown (the plug-in, the bookmark or favourite, their record) and shows
// where the plug-in went or that it failed; Finish carries out the rest.
#pragma once

#include <string>

#include "installer/integration/install_state.h"
#include "installer/wizard/property_page.h"

class WizardState;

class Dialog5 : public PropertyPage {
public:
    Dialog5();

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    bool OnWizardFinish() override;

private:
    void InstallPlugin();

    InstallState install_;
    std::string locationText_;
    std::string headlineText_;
    WizardState* state_ = nullptr;
};

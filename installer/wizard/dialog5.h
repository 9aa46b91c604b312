// The install page: copies the plug-in each time it is shown, adds the
// bookmark or favourite and keeps the install record; Finish adds the shell
// entries and the collection settings.
#pragma once

#include <string>

#include "installer/integration/install_state.h"
#include "installer/wizard/property_page.h"

class CMainSheet;

class Dialog5 : public PropertyPage {
public:
    Dialog5();

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    bool OnWizardFinish() override;

private:
    void InstallPlugin();

    InstallState state_;
    bool haveProductDirectory_ = false;
    std::string locationText_;
    std::string headlineText_;
    CMainSheet* sheet_ = nullptr;
};

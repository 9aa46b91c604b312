// The install page: copies the plug-in and keeps the install record.
#pragma once

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
    InstallState state_;
    CMainSheet* sheet_ = nullptr;
};

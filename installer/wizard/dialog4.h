// The directory page: where the plug-in goes, found in the registry at each
// activation or chosen with the file dialog.
#pragma once

#include <string>

#include "installer/wizard/property_page.h"

class WizardState;

class Dialog4 : public PropertyPage {
public:
    Dialog4();

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    bool OnKillActive() override;
    void OnCommand(WORD id, WORD code) override;
    void OnTimer(UINT_PTR id) override;

private:
    void DiscoverPluginDirectory();
    void SelectOtherDirectory();
    void ShowEditText();

    HWND selectButton_ = nullptr;
    std::string editText_;
    std::string workingPath_;
    WizardState* state_ = nullptr;
};

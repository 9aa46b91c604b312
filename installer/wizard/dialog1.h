// The welcome page.
#pragma once

#include "installer/wizard/property_page.h"

class Dialog1 : public PropertyPage {
public:
    Dialog1();

protected:
    void OnSetActive() override;

private:
    void HideHelpButton();
};

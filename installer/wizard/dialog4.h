// The directory page: where the plug-in goes.
#pragma once

#include "installer/wizard/property_page.h"

class Dialog4 : public PropertyPage {
public:
    Dialog4();

protected:
    void OnSetActive() override;
};

// The licence page: string 102 and the rest of the agreement from share.dat.
#pragma once

#include "installer/wizard/property_page.h"

class Dailog2 : public PropertyPage {
public:
    Dailog2();

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    void LoadLicenceText();
};

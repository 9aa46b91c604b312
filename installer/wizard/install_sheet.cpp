#include "installer/wizard/install_sheet.h"

#include "installer/wizard/dailog2.h"
#include "installer/wizard/dialog1.h"
#include "installer/wizard/dialog3.h"
#include "installer/wizard/dialog4.h"
#include "installer/wizard/dialog5.h"

std::unique_ptr<CMainSheet> MakeInstallSheet() {
    auto sheet = std::make_unique<CMainSheet>("TEST", nullptr, 0);
    sheet->AddPage(std::make_unique<Dialog1>());
    sheet->AddPage(std::make_unique<Dailog2>());
    sheet->AddPage(std::make_unique<Dialog3>());
    sheet->AddPage(std::make_unique<Dialog4>());
    sheet->AddPage(std::make_unique<Dialog5>());
    return sheet;
}

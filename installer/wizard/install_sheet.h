// The installer's wizard: the sheet "TEST" on page 0 with its five pages.
#pragma once

#include <memory>

#include "installer/wizard/main_sheet.h"

std::unique_ptr<CMainSheet> MakeInstallSheet();

#include "installer/wizard/install_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "installer/wizard/install_sheet.h"
#include "installer/wizard/launch_browser.h"
#include "installer/wizard/three_d_controls.h"

bool CompleteInstall(const CMainSheet& sheet, int sheetResult) {
    if (sheetResult != kSheetFinished)
        return false;
    return LaunchBrowser(sheet);
}

bool InstallApp::InitInstance() {
    CoInitialize(nullptr);
    InitCommonControls();
    ThreeDControls threeD;
    try {
        std::unique_ptr<CMainSheet> sheet = MakeInstallSheet();
        int result = sheet->DoModal();
        CompleteInstall(*sheet, result);
    } catch (const std::exception& error) {
        ReportUnhandledError(error.what());
    }
    return false;
}

int InstallApp::ExitInstance() {
    CoUninitialize();
    return 0;
}

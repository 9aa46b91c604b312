#include "installer/wizard/dialog3.h"

#include "installer/resources/resource_ids.h"
#include "common/browser_windows.h"

Dialog3::Dialog3() : PropertyPage(IDD_DIALOG3) {}

void Dialog3::OnInitDialog() {
    ie4Button_ = GetDlgItem(Window(), IDC_IE4);
    ie3Button_ = GetDlgItem(Window(), IDC_IE3);
    netscapeButton_ = GetDlgItem(Window(), IDC_NETSCAPE);
    SendMessageA(ie4Button_, BM_SETCHECK, BST_CHECKED, 0);
    browserChoice_ = BrowserIE4;
    EnableWindow(netscapeButton_, FALSE);
    state_ = ParentState();
}

void Dialog3::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_NETSCAPE: browserChoice_ = BrowserNetscape; break;
    case IDC_IE4: browserChoice_ = BrowserIE4; break;
    case IDC_IE3: browserChoice_ = BrowserIE3; break;
    }
}

bool Dialog3::OnKillActive() { return CheckBrowserClosed(); }

bool Dialog3::CheckBrowserClosed() {
    // The browser is the user's to close: nothing is sent to it, and the
    // page waits for the next press.
    if (FindOpenInternetExplorer()) {
        MessageBoxA(Window(), "Your Internet Explorer is open.\nClose it please, before click next!",
                    "Zorbit Installation", MB_OKCANCEL | MB_ICONEXCLAMATION);
        return false;
    }
    if (state_)
        state_->SetBrowserChoice(browserChoice_);
    return true;
}

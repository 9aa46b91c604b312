#include "installer/wizard/dialog4.h"

#include <commdlg.h>

#include "installer/resources/resource_ids.h"
#include "installer/wizard/wizard_state.h"
#include "installer/wizard/plugin_directory_lookup.h"

namespace {

constexpr UINT_PTR kFocusTimer = 3;
constexpr size_t kEditTextLimit = 256;

const char* const kNetscapeNames[3] = {"Netscape.exe", "NETSCAPE.EXE", "netscape.exe"};
const char* const kExplorerNames[3] = {"IExplore.exe", "iexplore.exe", "IEXPLORE.EXE"};

}  // namespace

Dialog4::Dialog4() : PropertyPage(IDD_DIALOG4) {}

void Dialog4::OnInitDialog() {
    selectButton_ = GetDlgItem(Window(), IDC_SELECT_DIRECTORY);
    state_ = ParentState();
}

void Dialog4::OnSetActive() { DiscoverPluginDirectory(); }

void Dialog4::DiscoverPluginDirectory() {
    if (!state_)
        return;
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    workingPath_.clear();
    switch (state_->GetBrowserChoice()) {
    case BrowserNetscape:
        workingPath_ = GetNetscapePluginsDirectory(*state_);
        if (workingPath_.empty())
            workingPath_ = PluginsBesideHttpProgram(kNetscapeNames);
        break;
    case BrowserIE3:
        workingPath_ = GetIE3PluginDirectory();
        if (workingPath_.empty())
            workingPath_ = PluginsBesideHttpProgram(kExplorerNames);
        break;
    case BrowserIE4:
        workingPath_ = GetIE4PluginDirectory(*state_);
        if (workingPath_.empty())
            workingPath_ = PluginsBesideHttpProgram(kExplorerNames);
        break;
    }
    if (!workingPath_.empty()) {
        workingPath_ += "\\npzrbit.dll";
        SetWindowTextA(selectButton_, "Select Other Directory");
    } else {
        SetWindowTextA(selectButton_, "Select Directory");
    }
    state_->SetPluginPath(workingPath_);
    editText_ = workingPath_;
    ShowEditText();
    // The sheet moves the focus when it shows the page; the button takes it
    // just after.
    SetTimer(Window(), kFocusTimer, 5, nullptr);
}

void Dialog4::OnTimer(UINT_PTR) {
    SetFocus(selectButton_);
    KillTimer(Window(), kFocusTimer);
}

void Dialog4::OnCommand(WORD id, WORD code) {
    if (id == IDC_SELECT_DIRECTORY && code == BN_CLICKED)
        SelectOtherDirectory();
}

void Dialog4::SelectOtherDirectory() {
    char file[MAX_PATH] = "npzrbit.dll";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Window();
    dialog.lpstrFilter = "Dll (*.dll)\0*.dll\0\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    // Browsing to another folder must not move the installer's current
    // directory away from the product's files.
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog))
        return;
    workingPath_ = file;
    editText_ = workingPath_;
    ShowEditText();
    if (state_)
        state_->SetPluginPath(workingPath_);
}

void Dialog4::ShowEditText() { SetDlgItemTextA(Window(), IDC_PLUGIN_PATH, editText_.c_str()); }

bool Dialog4::OnKillActive() {
    char text[kEditTextLimit + 1] = "";
    GetDlgItemTextA(Window(), IDC_PLUGIN_PATH, text, sizeof text);
    editText_ = text;
    return true;
}

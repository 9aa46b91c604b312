#include "installer/wizard/dialog5.h"

#include "common/install_record.h"
#include "installer/integration/install_steps.h"
#include "installer/integration/pending_delete.h"
#include "installer/resources/resource_ids.h"
#include "installer/wizard/main_sheet.h"

namespace {

const char kFailureText[] = "The installation failed. Select another directory to try again.";

}  // namespace

Dialog5::Dialog5() : PropertyPage(IDD_DIALOG5) {}

void Dialog5::OnInitDialog() {
    sheet_ = ParentSheet();
    headlineText_ = " Zorbit plug-in has been installed in directory below:";
    // A product directory that does not fit is not cut short: without one
    // nothing is copied from it or written under it.
    if (sheet_)
        state_.startDirectory = sheet_->GetStartDirectory();
    haveProductDirectory_ = CaptureProductDirectory(state_);
}

void Dialog5::OnSetActive() { InstallPlugin(); }

void Dialog5::InstallPlugin() {
    PostWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    if (!sheet_)
        return;
    std::string pluginPath = sheet_->GetPluginPath();
    locationText_ = pluginPath;
    state_.browserProgramDirectory = sheet_->GetBrowserProgramDirectory();

    bool copied = false;
    int choice = sheet_->GetBrowserChoice();
    if (haveProductDirectory_ && choice >= BrowserNetscape && choice <= BrowserIE4) {
        bool netscape = choice == BrowserNetscape;
        std::string source = state_.productDirectory + (netscape ? "\\DemoNs.dll" : "\\DemoIe.dll");
        copied = !pluginPath.empty() && CopyFileA(source.c_str(), pluginPath.c_str(), FALSE);
        // An uninstall that met the earlier copy held may have left its
        // deletion for the next restart, which would take this copy.
        if (copied)
            CancelDeleteAtRestart(pluginPath);
        if (netscape)
            AddNetscapeBookmark(state_);
        else
            AddFavorite(state_);
        // The record names only a plug-in that was put there.
        if (copied)
            WriteRecordValue(state_.RecordedProduct(), netscape ? kNsPluginKey : kIePluginKey, pluginPath);
    }
    if (!copied) {
        locationText_ = kFailureText;
        headlineText_.clear();
    }
    SetDlgItemTextA(Window(), IDC_LOCATION, locationText_.c_str());
    SetDlgItemTextA(Window(), IDC_HEADLINE, headlineText_.c_str());
}

bool Dialog5::OnWizardFinish() {
    if (sheet_)
        state_.browserProgramDirectory = sheet_->GetBrowserProgramDirectory();
    return FinishInstall(state_);
}

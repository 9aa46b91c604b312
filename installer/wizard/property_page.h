// A wizard page bound to a dialog template. The page's message switch hands
// the sheet's notifications and the page's messages to the steps below; a
// FileError or other exception a step lets escape goes to the installer's
// error report instead of unwinding through the sheet.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/window_base.h"
#include "installer/wizard/page_host.h"

class PropertyPage : public WindowBase {
public:
    explicit PropertyPage(int templateId);

    // The page for PropertySheetA; the sheet destroys it with itself.
    HPROPSHEETPAGE CreatePage();
    // The sheet that owns the page.
    void SetHost(PageHost* host) { host_ = host; }
    int TemplateId() const { return templateId_; }

protected:
    // initialisation: first display, after the dialog's controls exist
    virtual void OnInitDialog() {}
    // activation: every display
    virtual void OnSetActive() {}
    // leaving with Back or Next: false keeps the page
    virtual bool OnKillActive() { return true; }
    // Finish: false keeps the wizard open
    virtual bool OnWizardFinish() { return true; }
    virtual void OnCommand(WORD id, WORD code) {}
    virtual void OnTimer(UINT_PTR id) {}

    // What the sheet carries, when the parent window passes the CMainSheet
    // check.
    WizardState* ParentState() const;
    PageHost* ParentHost() const;
    void PostWizardButtons(DWORD buttons) const;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnhandledError(const char* what) noexcept override;

private:
    INT_PTR Notify(const NMHDR& header);

    int templateId_;
    PageHost* host_ = nullptr;
};

// The installer's report of an error that escaped a step: a message box.
void ReportUnhandledError(const char* what);

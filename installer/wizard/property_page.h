// A wizard page bound to a dialog template. The page's dialog procedure
// hands the sheet's notifications and the page's messages to the steps
// below; a FileError or other exception a step lets escape goes to the
// installer's error report instead of unwinding through the sheet.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "installer/wizard/page_host.h"

class PropertyPage {
public:
    explicit PropertyPage(int templateId);
    virtual ~PropertyPage() = default;
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;

    // The page for PropertySheetA; the sheet destroys it with itself.
    HPROPSHEETPAGE CreatePage();
    // The sheet that owns the page.
    void SetHost(PageHost* host) { host_ = host; }
    HWND Window() const { return window_; }
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

    // The parent window as the sheet, when it passes the CMainSheet check.
    CMainSheet* ParentSheet() const;
    PageHost* ParentHost() const;
    void PostWizardButtons(DWORD buttons) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Notify(const NMHDR& header);

    int templateId_;
    HWND window_ = nullptr;
    PageHost* host_ = nullptr;
};

// The installer's report of an error that escaped a step: a message box.
void ReportUnhandledError(const char* what);

// The installer's wizard sheet: owns the pages and carries what one page
// leaves for the next. The sheet is bound to its window as every window of
// ours is, and names its run-time class, so a page can check that its parent
// really is a CMainSheet before using it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/window_base.h"
#include "installer/wizard/page_host.h"
#include "installer/wizard/property_page.h"
#include "installer/wizard/wizard_state.h"

// What PropertySheet's Finish amounts to for the installer.
constexpr int kSheetFinished = 0x3025;

class CMainSheet : public WindowBase, public PageHost, public WizardState {
public:
    CMainSheet(const char* caption, HWND parent, UINT selectPage);
    ~CMainSheet() override;
    CMainSheet(const CMainSheet&) = delete;
    CMainSheet& operator=(const CMainSheet&) = delete;

    const char* RuntimeClassName() const override { return "CMainSheet"; }

    void AddPage(std::unique_ptr<PropertyPage> page);

    // Runs the wizard modally: kSheetFinished after Finish, IDCANCEL otherwise.
    int DoModal();
    // Creates the wizard without running it (for a caller with its own
    // message loop); the window, or null.
    HWND CreateModeless();
    // kSheetFinished once the finish step has run, IDCANCEL until then.
    int Result() const { return finished_ ? kSheetFinished : IDCANCEL; }
    // The sheet behind a window, or null when the window is no CMainSheet.
    static CMainSheet* FromWindow(HWND window);
    // Binds the sheet being created on this thread to its window, once.
    static void AdoptWindow(HWND window);
    void NoteFinished() override { finished_ = true; }

    void AdoptSheetWindow(HWND window) override { AdoptWindow(window); }
    PageHost* HostOf(HWND window) override { return FromWindow(window); }
    WizardState& State() override { return *this; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return Default(message, wParam, lParam);
    }

private:
    INT_PTR Run(bool modeless);
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);

    HICON icon_;

    std::string caption_;
    HWND parent_;
    UINT selectPage_;
    std::vector<std::unique_ptr<PropertyPage>> pages_;
    bool finished_ = false;
};

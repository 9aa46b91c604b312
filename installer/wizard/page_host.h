// The sheet as its pages reach it. CMainSheet implements this and hands it
// to each page it owns, so the page base needs nothing of the sheet itself.
#pragma once

#include <windows.h>

#include "installer/wizard/wizard_state.h"

class PageHost {
public:
    // Binds the sheet being created on this thread to its window, once (a
    // page's WM_INITDIALOG can come before the sheet's own callback).
    virtual void AdoptSheetWindow(HWND window) = 0;
    // The host behind a window, or null when the window is no CMainSheet.
    virtual PageHost* HostOf(HWND window) = 0;
    virtual WizardState& State() = 0;
    virtual void NoteFinished() = 0;

protected:
    ~PageHost() = default;
};

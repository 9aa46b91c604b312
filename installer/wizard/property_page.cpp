#include "installer/wizard/property_page.h"

#include "installer/integration/install_state.h"

PropertyPage::PropertyPage(int templateId) : templateId_(templateId) {}

HPROPSHEETPAGE PropertyPage::CreatePage() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = WindowBase::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(static_cast<WindowBase*>(this));
    return CreatePropertySheetPageA(&page);
}

PageHost* PropertyPage::ParentHost() const {
    return Window() && host_ ? host_->HostOf(GetParent(Window())) : nullptr;
}

WizardState* PropertyPage::ParentState() const {
    PageHost* host = ParentHost();
    return host ? &host->State() : nullptr;
}

void PropertyPage::PostWizardButtons(DWORD buttons) const {
    PostMessageA(GetParent(Window()), PSM_SETWIZBUTTONS, 0, buttons);
}

LRESULT PropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (host_)
            host_->AdoptSheetWindow(GetParent(Window()));
        OnInitDialog();
        return TRUE;
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    }
    return FALSE;
}

INT_PTR PropertyPage::Notify(const NMHDR& header) {
    LONG_PTR result = 0;
    switch (header.code) {
    case PSN_SETACTIVE:
        OnSetActive();
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_WIZFINISH:
        if (OnWizardFinish()) {
            if (PageHost* host = ParentHost())
                host->NoteFinished();
        } else {
            result = TRUE;
        }
        break;
    default:
        return FALSE;
    }
    SetWindowLongPtrA(Window(), DWLP_MSGRESULT, result);
    return TRUE;
}

void PropertyPage::OnUnhandledError(const char* what) noexcept { ReportUnhandledError(what); }

void ReportUnhandledError(const char* what) {
    ShowInstallerMessage(what && *what ? what : "An unexpected error occurred.");
}

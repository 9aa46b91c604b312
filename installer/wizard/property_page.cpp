#include "installer/wizard/property_page.h"

#include <exception>

#include "installer/integration/install_state.h"

PropertyPage::PropertyPage(int templateId) : templateId_(templateId) {}

HPROPSHEETPAGE PropertyPage::CreatePage() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageA(&page);
}

PageHost* PropertyPage::ParentHost() const {
    return window_ && host_ ? host_->HostOf(GetParent(window_)) : nullptr;
}

CMainSheet* PropertyPage::ParentSheet() const {
    PageHost* host = ParentHost();
    return host ? host->Sheet() : nullptr;
}

void PropertyPage::PostWizardButtons(DWORD buttons) const {
    PostMessageA(GetParent(window_), PSM_SETWIZBUTTONS, 0, buttons);
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PropertyPage* page;
    if (message == WM_INITDIALOG) {
        auto* sheetPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        page = reinterpret_cast<PropertyPage*>(sheetPage->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->window_ = window;
        if (page->host_)
            page->host_->AdoptSheetWindow(GetParent(window));
    } else {
        page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!page)
        return FALSE;
    if (message == WM_NCDESTROY) {
        page->window_ = nullptr;
        return FALSE;
    }
    try {
        return page->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportUnhandledError(error.what());
    } catch (...) {
        ReportUnhandledError("An unexpected error occurred.");
    }
    return FALSE;
}

INT_PTR PropertyPage::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
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
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

void ReportUnhandledError(const char* what) {
    ShowInstallerMessage(what && *what ? what : "An unexpected error occurred.");
}

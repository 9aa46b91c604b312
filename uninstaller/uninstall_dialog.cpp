#include "uninstaller/uninstall_dialog.h"

#include <algorithm>

#include "common/browser_windows.h"
#include "uninstaller/browser_check.h"
#include "uninstaller/removal_plan.h"
#include "uninstaller/resources/uninstall_ids.h"

namespace {

// The list's columns: what, outcome, where; in dialog units.
const INT kTabStops[] = {72, 215};

}  // namespace

INT_PTR UninstallDialog::Run(HINSTANCE instance) {
    icon_.reset(LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)));
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_UNINSTALL), nullptr, WindowBase::DialogProc,
                                     reinterpret_cast<LPARAM>(static_cast<WindowBase*>(this)));
    icon_.reset();
    return result;
}

LRESULT UninstallDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    }
    return Default(message, wParam, lParam);
}

INT_PTR UninstallDialog::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_REMOVE:
        OnRemove();
        return TRUE;
    case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

void UninstallDialog::OnUnhandledError(const char* what) noexcept {
    MessageBoxA(Window(), what ? what : "An unexpected error stopped the removal.", "Zorbit Uninstall",
                MB_OK | MB_ICONSTOP);
}

void UninstallDialog::OnInitDialog() {
    if (icon_) {
        SendMessageA(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        SendMessageA(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    }
    INT tabStops[] = {kTabStops[0], kTabStops[1]};
    SendDlgItemMessageA(Window(), IDC_ITEMS, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tabStops));

    plan_ = PlanRemoval(product_);
    ShowRows();
    if (!AnythingToRemove(plan_)) {
        // A copy started outside the product folder finds no record there;
        // it must not pass that off as a finished removal.
        bool noRecord = GetFileAttributesA(product_.recordPath.c_str()) == INVALID_FILE_ATTRIBUTES;
        std::string headline =
            noRecord ? "There is no install record " + product_.recordPath +
                           ", so nothing was looked for. Start the Uninstall.exe in the folder Zorbit was installed from."
                     : "Nothing of Zorbit is left to remove from this computer.";
        SetDlgItemTextA(Window(), IDC_HEADLINE, headline.c_str());
        recordMissing_ = noRecord;
        OfferOnlyClose();
        return;
    }
    SetDlgItemTextA(Window(), IDC_HEADLINE,
                    "Uninstall removes these parts of Zorbit from this computer. Close your browser, then click "
                    "Remove.");
}

void UninstallDialog::OnRemove() {
    // A second click already on its way must not run the removal again.
    if (removed_)
        return;
    if (FindOpenBrowser()) {
        AskToCloseBrowser(Window());
        return;
    }
    // Without a record only the settings can be found: what the installer
    // put elsewhere may still be there.
    recordMissing_ = GetFileAttributesA(product_.recordPath.c_str()) == INVALID_FILE_ATTRIBUTES;
    CarryOutRemoval(product_, plan_);
    removed_ = true;
    ShowRows();
    bool unfinished = std::any_of(plan_.begin(), plan_.end(), [](const Removal& thing) {
        return thing.result.outcome == Outcome::Failed || thing.result.outcome == Outcome::InUse;
    });
    bool kept = std::any_of(plan_.begin(), plan_.end(),
                            [](const Removal& thing) { return thing.result.outcome == Outcome::NotOurs; });
    std::string headline =
        recordMissing_ ? "Uninstall removed the settings it found, but there is no install record " +
                             product_.recordPath + ", so what the installer put elsewhere could not be looked for."
        : unfinished   ? "Uninstall has finished. What it could not remove stays listed in SetUp.ini; run it again to "
                         "finish the job."
        : kept         ? "Zorbit has been removed from this computer. What is not Zorbit's was kept."
                       : "Zorbit has been removed from this computer.";
    SetDlgItemTextA(Window(), IDC_HEADLINE, headline.c_str());
    OfferOnlyClose();
}

void UninstallDialog::ShowRows() {
    HWND list = GetDlgItem(Window(), IDC_ITEMS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    HDC dc = GetDC(list);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    RECT columns = {kTabStops[0], 0, kTabStops[1], 0};
    MapDialogRect(Window(), &columns);
    INT tabStops[] = {columns.left, columns.right};
    LONG widest = 0;
    for (const Removal& thing : plan_) {
        if (!thing.present)
            continue;
        std::string row = RowText(thing);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        DWORD extent = GetTabbedTextExtentA(dc, row.c_str(), static_cast<int>(row.size()), 2, tabStops);
        widest = std::max<LONG>(widest, LOWORD(extent));
    }
    SelectObject(dc, font);
    ReleaseDC(list, dc);
    // Long paths can be scrolled into view.
    SendMessageA(list, LB_SETHORIZONTALEXTENT, widest + 8, 0);
}

void UninstallDialog::OfferOnlyClose() {
    ShowWindow(GetDlgItem(Window(), IDC_REMOVE), SW_HIDE);
    SetDlgItemTextA(Window(), IDCANCEL, "Close");
    SendMessageA(Window(), DM_SETDEFID, IDCANCEL, 0);
    SetFocus(GetDlgItem(Window(), IDCANCEL));
    // Only a finished removal frees the folder, and a drive root is no
    // folder to delete.
    bool finished = !recordMissing_ && std::none_of(plan_.begin(), plan_.end(), [](const Removal& thing) {
        return thing.result.outcome == Outcome::Failed || thing.result.outcome == Outcome::InUse;
    });
    bool root = product_.directory.size() == 2 && product_.directory[1] == ':';
    std::string note = !finished ? std::string()
                       : root    ? "You can now delete Zorbit's files from " + ShownDirectory(product_) + "."
                                 : "You can now delete the folder " + ShownDirectory(product_) + ".";
    SetDlgItemTextA(Window(), IDC_CLOSING_NOTE, note.c_str());
}

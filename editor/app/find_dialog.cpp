#include "editor/app/find_dialog.h"

void FindDialog::Open(HWND owner) {
    if (dialog_) {
        SetFocus(dialog_);
        return;
    }
    if (!message_)
        message_ = RegisterWindowMessageA(FINDMSGSTRINGA);
    find_ = FINDREPLACEA{};
    find_.lStructSize = sizeof find_;
    find_.hwndOwner = owner;
    find_.Flags = FR_DOWN | FR_HIDEUPDOWN | FR_HIDEWHOLEWORD | FR_HIDEMATCHCASE;
    find_.lpstrFindWhat = text_;
    find_.wFindWhatLen = sizeof text_;
    dialog_ = FindTextA(&find_);
}

bool FindDialog::IsFindMessage(UINT message, LPARAM lParam, bool& next) {
    next = false;
    if (!message_ || message != message_)
        return false;
    const auto& find = *reinterpret_cast<const FINDREPLACEA*>(lParam);
    if (find.Flags & FR_DIALOGTERM)
        dialog_ = nullptr;
    else
        next = (find.Flags & FR_FINDNEXT) != 0;
    return true;
}

// The system's modeless Find dialog over the editor window: what to look
// for, and the dialog while it is open.
#pragma once

#include <windows.h>
#include <commdlg.h>

class FindDialog {
public:
    // Opens the dialog, or brings it forward when it is open.
    void Open(HWND owner);
    // The dialog's keyboard handling in the message loop.
    bool Translate(MSG& msg) { return dialog_ && IsDialogMessageA(dialog_, &msg); }
    // Whether a message of the owner comes from the dialog; `next` is set
    // when it asks for the next match. A closing dialog forgets itself.
    bool IsFindMessage(UINT message, LPARAM lParam, bool& next);
    const char* text() const { return text_; }

private:
    HWND dialog_ = nullptr;
    UINT message_ = 0;  // the dialog's registered message
    FINDREPLACEA find_{};
    char text_[128] = "";
};

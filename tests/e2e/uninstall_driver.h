// Drives Uninstall.exe from outside its process: finds its dialog, reads
// its list and texts, presses its buttons and answers its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class UninstallDriver {
public:
    UninstallDriver() = default;
    ~UninstallDriver();
    UninstallDriver(const UninstallDriver&) = delete;
    UninstallDriver& operator=(const UninstallDriver&) = delete;

    // Starts <productDir>\Uninstall.exe elsewhere than in its folder and
    // waits for its dialog.
    bool Start(const std::string& productDir, DWORD timeoutMs);

    std::vector<std::string> Rows() const;  // "what<TAB>outcome<TAB>where" per row
    std::string Text(int control) const;
    bool Visible(int control) const { return IsWindowVisible(GetDlgItem(dialog_, control)) != FALSE; }
    HWND dialog() const { return dialog_; }

    void Press(int control);  // posts the button's click, without waiting
    // Waits, pumping this thread's messages, until IDCANCEL reads "Close".
    bool WaitForClose(DWORD timeoutMs);
    // Waits for a message box and answers it with `button`; its text, or
    // empty text after the time-out.
    std::string AnswerMessageBox(int button, DWORD timeoutMs);
    // The process's exit code, or -1 on a time-out.
    int WaitForExit(DWORD timeoutMs);

private:
    HWND TopLevelDialog(HWND exclude) const;

    PROCESS_INFORMATION process_{};
    HWND dialog_ = nullptr;
};

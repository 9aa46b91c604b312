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

    // Starts <productDir>\Uninstall.exe and waits for its dialog.
    bool Start(const std::string& productDir, DWORD timeoutMs);

    std::vector<std::string> Rows() const;  // the list, one "what<TAB>outcome<TAB>where" per row
    std::string Text(int control) const;
    bool Visible(int control) const;

    void Press(int control);  // posts the button's click, without waiting
    // Waits, pumping this thread's messages, for the button IDCANCEL to read "Close".
    bool WaitForClose(DWORD timeoutMs);
    // Waits for a message box, records its text and answers it with `button`.
    bool AnswerMessageBox(int button, DWORD timeoutMs);
    // The process's exit code, or -1 on a time-out.
    int WaitForExit(DWORD timeoutMs);

    HWND dialog() const { return dialog_; }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    HWND FindTopLevelDialog(HWND exclude) const;

    PROCESS_INFORMATION process_{};
    HWND dialog_ = nullptr;
    std::vector<std::string> messages_;
};

// Drives install.exe from outside its process: finds its wizard sheet,
// presses its buttons and answers the message boxes it shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class WizardDriver {
public:
    WizardDriver() = default;
    ~WizardDriver();
    WizardDriver(const WizardDriver&) = delete;
    WizardDriver& operator=(const WizardDriver&) = delete;

    // Starts <productDir>\install.exe in productDir.
    bool Start(const std::string& productDir);
    // Waits for the sheet to show; false after timeoutMs.
    bool WaitForSheet(DWORD timeoutMs);
    // Index of the current page, -1 when unknown.
    int CurrentPage() const;
    // Waits until page `index` is current, answering message boxes meanwhile.
    bool WaitForPage(int index, DWORD timeoutMs);
    // Presses a wizard button (PSBTN_NEXT, PSBTN_FINISH, ...), without waiting.
    void Press(int button);
    // Waits for the program to end, answering message boxes; its exit code,
    // or -1 on a time-out.
    int WaitForExit(DWORD timeoutMs);

    HWND sheet() const { return sheet_; }
    const std::vector<std::string>& answeredMessages() const { return answered_; }

private:
    void AnswerMessageBoxes();

    PROCESS_INFORMATION process_{};
    HWND sheet_ = nullptr;
    std::vector<std::string> answered_;
};

// Runs the message pump of the calling thread for `ms` milliseconds.
void PumpFor(DWORD ms);

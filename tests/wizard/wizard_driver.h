// Test support: the installer's wizard run modeless on the test thread and
// driven with PSM_PRESSBUTTON, scratch folders, another thread's windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "installer/wizard/main_sheet.h"

void PumpMessages();

// A fresh folder under the temporary folder, made the current directory
// for its lifetime; removed with its files afterwards.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    const std::string& path() const { return path_; }
    std::string File(const char* name) const { return path_ + "\\" + name; }
    void Write(const char* name, const std::string& bytes) const;

private:
    std::string path_;
    std::string previous_;
};

std::string ReadFileBytes(const std::string& path);

class ModelessWizard {
public:
    // The installer's sheet, or one with the given pages.
    ModelessWizard();
    explicit ModelessWizard(std::unique_ptr<CMainSheet> sheet);
    ~ModelessWizard();

    CMainSheet& sheet() { return *sheet_; }
    HWND window() const { return window_; }
    void Press(int button);
    int PageIndex() const;  // -1 when the wizard has ended
    HWND Page() const;
    bool ButtonEnabled(int id) const;
    bool ButtonShown(int id) const;

private:
    std::unique_ptr<CMainSheet> sheet_;
    HWND window_ = nullptr;
};

// A top-level window on its own thread, titled as asked, that notes the
// close request it receives.
class ForeignWindow {
public:
    explicit ForeignWindow(const char* title);
    ~ForeignWindow();
    HWND window() const { return window_; }
    bool ReceivedClose() const { return receivedClose_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> receivedClose_{false};
    DWORD threadId_ = 0;
};

// Waits on another thread for this process's message box with the caption,
// then answers it with the button.
class MessageBoxAnswer {
public:
    MessageBoxAnswer(const std::string& caption, int button);
    ~MessageBoxAnswer();
    bool Answered();  // joins
    std::string Text();  // joins

private:
    void Join();
    std::thread thread_;
    std::string caption_;
    std::string text_;
    bool answered_ = false;
};

// Waits on another thread for this process's file dialog, then types the
// path into its file name box and confirms, or cancels when path is empty.
// Given several entries, it types and confirms each in turn, as a person
// goes into a folder before choosing a file there.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(const std::string& path);
    explicit FileDialogAnswer(const std::vector<std::string>& entries);
    ~FileDialogAnswer();
    bool Answered();  // joins
    std::string InitialName();  // the name the dialog opened with; joins

private:
    std::thread thread_;
    std::string initialName_;
    bool answered_ = false;
};

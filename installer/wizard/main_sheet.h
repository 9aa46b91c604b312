// The installer's wizard sheet: owns the pages and carries what one page
// leaves for the next. Its window carries a property that leads back to the
// object, and the object names its run-time class, so a page can check that
// its parent really is a CMainSheet before using it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "installer/wizard/page_host.h"
#include "installer/wizard/property_page.h"

enum BrowserChoice { BrowserNetscape = 0, BrowserIE3 = 1, BrowserIE4 = 2 };

// What PropertySheet's Finish amounts to for the installer.
constexpr int kSheetFinished = 0x3025;

class RuntimeObject {
public:
    virtual ~RuntimeObject() = default;
    virtual const char* RuntimeClassName() const = 0;
};

class CMainSheet : public RuntimeObject, public PageHost {
public:
    CMainSheet(const char* caption, HWND parent, UINT selectPage);
    ~CMainSheet() override;
    CMainSheet(const CMainSheet&) = delete;
    CMainSheet& operator=(const CMainSheet&) = delete;

    const char* RuntimeClassName() const override { return "CMainSheet"; }

    void AddPage(std::unique_ptr<PropertyPage> page);

    // Runs the wizard modally: kSheetFinished after Finish, IDCANCEL otherwise.
    int DoModal();
    // Creates the wizard without running it (for a caller with its own
    // message loop); the window, or null.
    HWND CreateModeless();
    // kSheetFinished once the finish step has run, IDCANCEL until then.
    int Result() const { return finished_ ? kSheetFinished : IDCANCEL; }
    HWND Window() const { return window_; }

    // The sheet behind a window, or null when the window is no CMainSheet.
    static CMainSheet* FromWindow(HWND window);
    // Binds the sheet being created on this thread to its window, once.
    static void AdoptWindow(HWND window);
    void NoteFinished() override { finished_ = true; }

    void AdoptSheetWindow(HWND window) override { AdoptWindow(window); }
    PageHost* HostOf(HWND window) override { return FromWindow(window); }
    CMainSheet* Sheet() override { return this; }

    void SetBrowserChoice(int choice) { browserChoice_ = choice; }
    int GetBrowserChoice() const { return browserChoice_; }
    void SetPluginPath(const std::string& path) { pluginPath_ = path; }
    std::string GetPluginPath() const { return pluginPath_; }
    void SetBrowserProgramDirectory(const std::string& d) { browserProgramDirectory_ = d; }
    std::string GetBrowserProgramDirectory() const { return browserProgramDirectory_; }
    std::string GetStartDirectory() const { return startDirectory_; }

private:
    INT_PTR Run(bool modeless);
    void Bind(HWND window);
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::string browserProgramDirectory_;
    HICON icon_;
    std::string startDirectory_;
    std::string pluginPath_;
    int browserChoice_ = BrowserIE4;

    std::string caption_;
    HWND parent_;
    UINT selectPage_;
    std::vector<std::unique_ptr<PropertyPage>> pages_;
    HWND window_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    bool finished_ = false;
};

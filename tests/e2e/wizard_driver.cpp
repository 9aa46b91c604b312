#include "tests/e2e/wizard_driver.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

struct WindowSearch {
    DWORD pid;
    HWND exclude;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || hwnd == search->exclude || !IsWindowVisible(hwnd))
        return TRUE;
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0)
        search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> DialogsOf(DWORD pid, HWND exclude) {
    WindowSearch search{pid, exclude, {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string MessageTextOf(HWND box) {
    char text[1024] = "";
    HWND label = GetDlgItem(box, 0xFFFF);
    if (label)
        GetWindowTextA(label, text, sizeof text);
    return text;
}

}  // namespace

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

WizardDriver::~WizardDriver() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool WizardDriver::Start(const std::string& productDir) {
    std::string command = "\"" + productDir + "\\install.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string mutableCommand = command;
    return CreateProcessA(nullptr, &mutableCommand[0], nullptr, nullptr, FALSE, 0, nullptr,
                          productDir.c_str(), &startup, &process_) != FALSE;
}

bool WizardDriver::WaitForSheet(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        for (HWND dialog : DialogsOf(process_.dwProcessId, nullptr)) {
            if (SendMessageA(dialog, PSM_GETCURRENTPAGEHWND, 0, 0)) {
                sheet_ = dialog;
                return true;
            }
        }
        PumpFor(50);
    }
    return false;
}

int WizardDriver::CurrentPage() const {
    if (!sheet_)
        return -1;
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (!page)
        return -1;
    return static_cast<int>(SendMessageA(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

bool WizardDriver::WaitForPage(int index, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        AnswerMessageBoxes();
        if (CurrentPage() == index) {
            PumpFor(300);  // let the page finish its activation and paint
            return true;
        }
        PumpFor(50);
    }
    return false;
}

void WizardDriver::Press(int button) {
    PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0);
}

int WizardDriver::WaitForExit(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            return static_cast<int>(code);
        }
        AnswerMessageBoxes();
    }
    return -1;
}

void WizardDriver::AnswerMessageBoxes() {
    for (HWND box : DialogsOf(process_.dwProcessId, sheet_)) {
        // A page of the sheet is a child, not a top-level window, so every
        // top-level dialog other than the sheet is a message box.
        answered_.push_back(MessageTextOf(box));
        HWND ok = GetDlgItem(box, IDOK);
        if (ok)
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        else
            PostMessageA(box, WM_CLOSE, 0, 0);
    }
}

#include "tests/e2e/uninstall_driver.h"

#include "tests/e2e/wizard_driver.h"

namespace {

struct Search {
    DWORD pid;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid != search->pid || window == search->exclude || !IsWindowVisible(window) || lstrcmpA(cls, "#32770") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

const int kList = 1002;  // the dialog's list of things

}  // namespace

UninstallDriver::~UninstallDriver() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

HWND UninstallDriver::FindTopLevelDialog(HWND exclude) const {
    Search search{process_.dwProcessId, exclude, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool UninstallDriver::Start(const std::string& productDir, DWORD timeoutMs) {
    std::string command = "\"" + productDir + "\\Uninstall.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Started elsewhere than its folder, as a user may: it must find its
    // product directory all the same.
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return false;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        dialog_ = FindTopLevelDialog(nullptr);
        if (dialog_) {
            PumpFor(300);  // let it paint
            return true;
        }
        PumpFor(50);
    }
    return false;
}

std::vector<std::string> UninstallDriver::Rows() const {
    std::vector<std::string> rows;
    HWND list = GetDlgItem(dialog_, kList);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Asked in UTF-16: Wine hands an ANSI request from another process
        // the reply in that form all the same.
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring wide(length > 0 ? length + 1 : 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
        char row[4096] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, row, sizeof row, nullptr, nullptr);
        rows.push_back(row);
    }
    return rows;
}

std::string UninstallDriver::Text(int control) const {
    char text[1024] = "";
    GetWindowTextA(GetDlgItem(dialog_, control), text, sizeof text);
    return text;
}

bool UninstallDriver::Visible(int control) const { return IsWindowVisible(GetDlgItem(dialog_, control)) != FALSE; }

void UninstallDriver::Press(int control) {
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, control)));
}

bool UninstallDriver::WaitForClose(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (Text(IDCANCEL) == "Close") {
            PumpFor(300);
            return true;
        }
        PumpFor(50);
    }
    return false;
}

bool UninstallDriver::AnswerMessageBox(int button, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND box = FindTopLevelDialog(dialog_)) {
            char text[1024] = "";
            GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
            messages_.push_back(text);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
            return true;
        }
        PumpFor(50);
    }
    return false;
}

int UninstallDriver::WaitForExit(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            return static_cast<int>(code);
        }
        PumpFor(10);
    }
    return -1;
}

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

// Pumps this thread's messages until done() or the time-out.
template <typename Done>
bool WaitFor(Done done, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; PumpFor(50))
        if (done())
            return true;
    return false;
}

}  // namespace

UninstallDriver::~UninstallDriver() {
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

HWND UninstallDriver::TopLevelDialog(HWND exclude) const {
    Search search{process_.dwProcessId, exclude, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool UninstallDriver::Start(const std::string& productDir, DWORD timeoutMs) {
    std::string command = "\"" + productDir + "\\Uninstall.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return false;
    bool shown = WaitFor([this] { return (dialog_ = TopLevelDialog(nullptr)) != nullptr; }, timeoutMs);
    PumpFor(300);  // let it paint
    return shown;
}

std::vector<std::string> UninstallDriver::Rows() const {
    std::vector<std::string> rows;
    HWND list = GetDlgItem(dialog_, 1002);
    for (LRESULT i = 0, count = SendMessageA(list, LB_GETCOUNT, 0, 0); i < count; ++i) {
        // Asked in UTF-16: Wine hands an ANSI request from another process
        // the reply in that form all the same.
        std::wstring wide(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
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

void UninstallDriver::Press(int control) {
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, control)));
}

bool UninstallDriver::WaitForClose(DWORD timeoutMs) {
    bool closed = WaitFor([this] { return Text(IDCANCEL) == "Close"; }, timeoutMs);
    PumpFor(300);
    return closed;
}

std::string UninstallDriver::AnswerMessageBox(int button, DWORD timeoutMs) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = TopLevelDialog(dialog_)) != nullptr; }, timeoutMs))
        return "";
    char text[1024] = "";
    GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return text;
}

int UninstallDriver::WaitForExit(DWORD timeoutMs) {
    DWORD code = static_cast<DWORD>(-1);
    if (WaitFor([this] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs))
        GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

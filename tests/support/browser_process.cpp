#include "tests/support/browser_process.h"

namespace support {

namespace {

const char kFrameTitle[] = "Zorbit stand-in browser";

std::string Environment(const char* name) {
    char value[256] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

BrowserProcess::BrowserProcess(const std::string& folder, const char* program, const char* test,
                               const char* windowClass, bool shown) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string copy = folder + "\\" + program;
    if (!CopyFileA(self, copy.c_str(), FALSE))
        return;
    SetEnvironmentVariableA("ZORBIT_FRAME_CLASS", windowClass);
    SetEnvironmentVariableA("ZORBIT_FRAME_SHOWN", shown ? "1" : "0");
    std::string command = "\"" + copy + "\" --gtest_filter=" + test + " --gtest_also_run_disabled_tests";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return;
    for (int wait = 0; wait < 300 && !window_; ++wait, Sleep(50))
        window_ = FindWindowA(windowClass, kFrameTitle);
}

BrowserProcess::~BrowserProcess() {
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

void ShowFrameUntilEnded() {
    std::string windowClass = Environment("ZORBIT_FRAME_CLASS");
    WNDCLASSA type = {};
    type.lpfnWndProc = DefWindowProcA;
    type.lpszClassName = windowClass.c_str();
    RegisterClassA(&type);
    DWORD style = WS_OVERLAPPEDWINDOW | (Environment("ZORBIT_FRAME_SHOWN") == "1" ? WS_VISIBLE : 0);
    CreateWindowExA(0, windowClass.c_str(), kFrameTitle, style, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
        DispatchMessageA(&message);
}

}  // namespace support

#include "tests/instance/run_alone.h"

#include <gtest/gtest.h>

namespace instance_test {

DWORD RunAlone(const std::string& test) {
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command =
        std::string("\"") + program + "\" --gtest_color=no --gtest_also_run_disabled_tests --gtest_filter=" + test;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // Inherited: a crash ends the child with its exception code instead of
    // waiting in a debugger's dialog.
    const UINT oldMode = SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
    const BOOL started =
        CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetErrorMode(oldMode);
    if (!started) {
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return ~0u;
    }
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << test << " did not end";
        TerminateProcess(process.hProcess, ~0u);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

}  // namespace instance_test

#include "tests/instance/run_alone.h"

#include <gtest/gtest.h>

namespace instance_test {

namespace {

constexpr char kAloneVariable[] = "ZORBIT_TEST_RUN_ALONE";

LONG CALLBACK EndAtExecuteFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.ExceptionInformation[0] == EXCEPTION_EXECUTE_FAULT)
        TerminateProcess(GetCurrentProcess(), record.ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG CALLBACK EndAtCrash(EXCEPTION_POINTERS* pointers) {
    TerminateProcess(GetCurrentProcess(), pointers->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

// In the child, before any test: no debugger is started for a crash.
const bool g_alone = GetEnvironmentVariableA(kAloneVariable, nullptr, 0) &&
                     AddVectoredExceptionHandler(1, EndAtExecuteFault) && SetUnhandledExceptionFilter(EndAtCrash);

}  // namespace

DWORD RunAlone(const std::string& test) {
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = std::string("\"") + program + "\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    SetEnvironmentVariableA(kAloneVariable, "1");
    const BOOL started =
        CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kAloneVariable, nullptr);
    if (!started) {
        ADD_FAILURE() << command << ": error " << GetLastError();
        return ~0u;
    }
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, WAIT_TIMEOUT);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

}  // namespace instance_test

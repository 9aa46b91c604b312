#include "tests/instance/run_alone.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace instance_test {

namespace {

constexpr char kAloneVariable[] = "ZORBIT_TEST_RUN_ALONE";

LONG CALLBACK EndAtExecuteFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters > 0 &&
        record.ExceptionInformation[0] == EXCEPTION_EXECUTE_FAULT) {
        std::printf("executed unmapped code at %p\n", record.ExceptionAddress);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), record.ExceptionCode);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG CALLBACK EndAtCrash(EXCEPTION_POINTERS* pointers) {
    TerminateProcess(GetCurrentProcess(), pointers->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

const bool g_aloneHandlers = [] {
    if (!GetEnvironmentVariableA(kAloneVariable, nullptr, 0))
        return false;
    AddVectoredExceptionHandler(1, EndAtExecuteFault);
    SetUnhandledExceptionFilter(EndAtCrash);
    return true;
}();

}  // namespace

DWORD RunAlone(const std::string& test) {
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command =
        std::string("\"") + program + "\" --gtest_color=no --gtest_also_run_disabled_tests --gtest_filter=" + test;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // Inherited: a crash ends the child with its exception code instead of
    // starting a debugger.
    const UINT oldMode = SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
    SetEnvironmentVariableA(kAloneVariable, "1");
    const BOOL started =
        CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kAloneVariable, nullptr);
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

// Tests whose scenario changes the process for good (a library that stays
// loaded until the process ends) run in a process of their own: this
// program again, with only that test selected.
#pragma once

#include <windows.h>

#include <string>

namespace instance_test {

// Runs the test (named as for --gtest_filter, usually a DISABLED_ one) in a
// new process of this program and returns its exit code: 0 when it passed,
// the exception code when it crashed or ran code that is no longer mapped
// (which Wine may otherwise swallow inside a message loop).
DWORD RunAlone(const std::string& test);

}  // namespace instance_test

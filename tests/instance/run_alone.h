// Tests whose scenario changes the process for good (a library that stays
// loaded until the process ends) run in a process of their own.
#pragma once

#include <windows.h>

#include <string>

namespace instance_test {

// Runs the test (a --gtest_filter pattern, usually a DISABLED_ test) in a
// new process of this program and returns its exit code: 0 when it passed,
// the exception code when it crashed or jumped into unmapped code (which
// Wine may otherwise swallow inside a message loop).
DWORD RunAlone(const std::string& test);

}  // namespace instance_test

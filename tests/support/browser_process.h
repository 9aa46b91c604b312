// A stand-in browser for the checks that find one by its frame class and
// program: a copy of the running test program under a browser's program
// name, started on a DISABLED_ test of its own that calls ShowFrameUntilEnded.
#pragma once

#include <windows.h>

#include <string>

namespace support {

class BrowserProcess {
public:
    // Copies this program to folder\program and starts it on test (its
    // full gtest name) with a frame of windowClass, shown or hidden.
    BrowserProcess(const std::string& folder, const char* program, const char* test, const char* windowClass,
                   bool shown = true);
    ~BrowserProcess();  // ends the process
    BrowserProcess(const BrowserProcess&) = delete;
    BrowserProcess& operator=(const BrowserProcess&) = delete;

    // Its frame, null when none came up.
    HWND Window() const { return window_; }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The body of that DISABLED_ test: shows the frame and pumps until ended.
void ShowFrameUntilEnded();

}  // namespace support

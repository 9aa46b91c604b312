// The browser's own subclass of a plug-in window, put over whatever
// procedure is on top (browsers do this to watch their plug-ins) and taken
// off again the way browsers do: by putting back the procedure it found.
#pragma once

#include <windows.h>

namespace instance_test {

class BrowserSubclass {
public:
    explicit BrowserSubclass(HWND hwnd);
    ~BrowserSubclass();
    BrowserSubclass(const BrowserSubclass&) = delete;
    BrowserSubclass& operator=(const BrowserSubclass&) = delete;

    void Remove();
    bool installed() const { return installed_; }
    // Messages of kCountedMessage that reached this procedure.
    int calls = 0;
    // Set when a message came round to this procedure again while it was
    // passing it on: the chain has a loop, which this procedure then cut.
    bool looped = false;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_;
    WNDPROC previous_ = nullptr;
    bool installed_ = false;
    int depth_ = 0;
};

// A message every procedure of the chain passes on: WM_TIMER with a timer
// identifier of nobody's.
constexpr UINT kCountedMessage = WM_TIMER;
constexpr WPARAM kCountedTimer = 77;

// Sends the counted message to the window and checks that it reached the
// window's own procedure exactly once, and each installed browser subclass
// exactly once. Reports the caller's line.
void ExpectEachProcedureOnce(HWND hwnd, int line);
#define EXPECT_EACH_PROCEDURE_ONCE(hwnd) ::instance_test::ExpectEachProcedureOnce(hwnd, __LINE__)

}  // namespace instance_test

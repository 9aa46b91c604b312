#include <gtest/gtest.h>
#include <windows.h>

#include "tests/entry/plugin_library.h"

namespace {

int g_posted = 0;
int g_chars = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP)
        ++g_posted;
    if (message == WM_CHAR)
        ++g_chars;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window of the test thread that counts what reaches it, and an
// initialised plug-in library.
class ShutdownDrain : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZorbitDrainCounter";
        RegisterClassA(&wc);
        window_ = CreateWindowA("ZorbitDrainCounter", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(window_);
        ClearQueue();
        g_posted = g_chars = 0;

        ASSERT_TRUE(plugin_.module());
        ASSERT_EQ(NPERR_NO_ERROR, plugin_.getEntryPoints(&table_.funcs));
        browser_.version = 0x0009;
        ASSERT_EQ(NPERR_NO_ERROR, plugin_.initialize(&browser_));
    }

    void TearDown() override {
        ClearQueue();
        DestroyWindow(window_);
        UnregisterClassA("ZorbitDrainCounter", GetModuleHandleA(nullptr));
    }

    static int ClearQueue() {
        int count = 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ++count;
        return count;
    }

    PluginLibrary plugin_;
    CanaryPluginFuncs table_;
    NPNetscapeFuncs browser_ = {};
    HWND window_ = nullptr;
};

TEST_F(ShutdownDrain, DispatchesExactlyTwentyMessages) {
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(PostMessageA(window_, WM_APP, i, 0));
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.shutdown());
    EXPECT_EQ(20, g_posted);
    EXPECT_EQ(5, ClearQueue());
}

TEST_F(ShutdownDrain, EmptyQueueAndRestart) {
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.shutdown());
    EXPECT_EQ(0, g_posted);
    // The library can be started again without being unloaded.
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.getEntryPoints(&table_.funcs));
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.initialize(&browser_));
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.shutdown());
}

TEST_F(ShutdownDrain, KeyMessagesAreTranslated) {
    ASSERT_TRUE(PostMessageA(window_, WM_KEYDOWN, 'A', 1 | (0x1e << 16)));
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.shutdown());
    EXPECT_EQ(1, g_chars);
}

TEST_F(ShutdownDrain, LeavesTheBrowsersQuitRequestInPlace) {
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(PostMessageA(window_, WM_APP, i, 0));
    PostQuitMessage(7);
    EXPECT_EQ(NPERR_NO_ERROR, plugin_.shutdown());
    EXPECT_EQ(3, g_posted);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(7u, msg.wParam);
}

}  // namespace

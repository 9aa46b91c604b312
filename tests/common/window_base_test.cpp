#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "common/window_base.h"

namespace {

const UINT kThrow = WM_APP + 1;
const UINT kAnswer = WM_APP + 2;

class Probe : public WindowBase {
public:
    std::string error;
    bool detached = false;
    int answered = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case kThrow: throw std::runtime_error("handler failed");
        case kAnswer: return ++answered;
        }
        return Default(message, wParam, lParam);
    }
    void OnUnhandledError(const char* what) noexcept override { error = what ? what : "?"; }
    void OnDetached() override { detached = true; }
};

HWND MakeClassWindow(Probe& probe) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowBase::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZorbitWindowBaseTest";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           static_cast<WindowBase*>(&probe));
}

HWND MakeDialog(Probe& probe) {
    // A template with no controls: DLGTEMPLATE, then no menu, class or title.
    struct {
        DLGTEMPLATE header;
        WORD none[3];
    } dialog = {};
    dialog.header.style = WS_POPUP;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialog.header, nullptr, WindowBase::DialogProc,
                                      reinterpret_cast<LPARAM>(static_cast<WindowBase*>(&probe)));
}

HWND MakeSubclassed(Probe& probe) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    return probe.Subclass(window) ? window : nullptr;
}

TEST(WindowBase, EachWayBindsTheObjectAndTheBarrierDropsAFailedMessage) {
    struct Case {
        const char* name;
        std::function<HWND(Probe&)> make;
    } cases[] = {{"window class", MakeClassWindow}, {"dialog", MakeDialog}, {"subclass", MakeSubclassed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Probe probe;
        HWND window = c.make(probe);
        ASSERT_TRUE(window);
        EXPECT_EQ(window, probe.Window());
        EXPECT_EQ(&probe, WindowBase::FromWindow(window));
        EXPECT_FALSE(probe.Subclass(window)) << "bound once";

        EXPECT_EQ(0, SendMessageA(window, kThrow, 0, 0));
        EXPECT_EQ("handler failed", probe.error);
        EXPECT_TRUE(IsWindow(window));
        SendMessageA(window, kAnswer, 0, 0);
        EXPECT_EQ(1, probe.answered) << "the window still answers";

        DestroyWindow(window);
        EXPECT_TRUE(probe.detached);
        EXPECT_EQ(nullptr, probe.Window());
        EXPECT_EQ(nullptr, WindowBase::FromWindow(window));
    }
}

TEST(WindowBase, SubclassGivesTheWindowItsProcedureBackWhenTheObjectGoes) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    LONG_PTR original = GetWindowLongPtrA(window, GWLP_WNDPROC);
    {
        Probe probe;
        ASSERT_TRUE(probe.Subclass(window));
        EXPECT_NE(original, GetWindowLongPtrA(window, GWLP_WNDPROC));
    }
    EXPECT_EQ(original, GetWindowLongPtrA(window, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, WindowBase::FromWindow(window));
    DestroyWindow(window);
}

}  // namespace

#include <gtest/gtest.h>

#include "plugin/menubar/message_hooks.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "tests/menubar/menubar_fixture.h"

using namespace menubar_test;

namespace {

// As an instance attaches: its set on the frame's bar, the hooks, and the
// window its messages go to.
void Attach(CBarMenuData& data, HWND frame, HWND target) {
    ASSERT_EQ(1, data.InstallMenus(frame));
    data.InstallHooks();
    data.SetTargetWindow(target);
}

// The WH_CALLWNDPROC hook is there only while a menu is open.
constexpr int kHooksOutsideMenus = 2;
constexpr int kHooksInMenus = 3;

// What the thread's menu loop does first: its filter sees a message.
void EnterMenuLoop(HWND owner) {
    MSG msg = {owner, WM_NULL, 0, 0, 0, {0, 0}};
    CallMsgFilterA(&msg, MSGF_MENU);
}

class MessageHooksTest : public ::testing::Test {
protected:
    void SetUp() override {
        PumpPending();
        DrainPluginMessages();
        ASSERT_EQ(0, InstalledHookCount());
    }
    void TearDown() override {
        EXPECT_EQ(0, InstalledHookCount()) << "a hook outlived its owners";
        DrainPluginMessages();
    }

    // Posts a WM_COMMAND to the frame and lets GetMessage retrieve it.
    void ChooseCommand(WPARAM wParam, LPARAM lParam = 0) {
        PostMessageA(frame.hwnd(), WM_COMMAND, wParam, lParam);
        PumpPending();
    }

    Frame frame;
    Target target;
};

TEST_F(MessageHooksTest, RetrievedCommandsAreForwardedAboveTheThreshold) {
    struct Case { WPARAM wParam; bool forwarded; LPARAM control = 0; } cases[] = {
        {100, false},         // the divider picture
        {1, false},           // a browser command
        {2920, false},
        {2921, true},         // collection entry 77
        {2998, true},
        {2999, true},         // About
        {3001, true},
        {0x00013001, true},   // accelerator: high word 1
        {0x00010001, true},   // a browser accelerator is forwarded as well
        {0xFFFFFFFF, true},
        {3001, false, 0x1234},  // a control's notification, never a menu's
    };
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
    EXPECT_EQ(reinterpret_cast<HOOKPROC>(CommandHookProc), SetOf(data).commandHookProc);
    EXPECT_EQ(reinterpret_cast<HOOKPROC>(SelectHookProc), SetOf(data).selectHookProc);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i << ", wParam " << cases[i].wParam);
        target.Clear();
        Frame::Commands().clear();
        ChooseCommand(cases[i].wParam, cases[i].control);
        EXPECT_EQ(std::vector<WPARAM>{cases[i].wParam}, Frame::Commands()) << "the browser still gets it";
        std::vector<WPARAM> expected;
        if (cases[i].forwarded)
            expected.push_back(cases[i].wParam);
        EXPECT_EQ(expected, target.Commands());
        EXPECT_TRUE(target.Selects().empty());
    }
}

TEST_F(MessageHooksTest, OnlyTheRetrievalThatRemovesTheMessageCounts) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    PostMessageA(frame.hwnd(), WM_COMMAND, 3001, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, frame.hwnd(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, frame.hwnd(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    PumpPending();
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Commands());
}

// A hook installed after ours runs first and hands our hook a code of its
// choosing through CallNextHookEx.
int g_codeForNext = 0;
LRESULT CALLBACK RecodingHook(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, g_codeForNext, wParam, lParam);
}

TEST_F(MessageHooksTest, OtherHookCodesArePassedOnUnexamined) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    HHOOK front = SetWindowsHookExA(WH_GETMESSAGE, RecodingHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, front);
    for (int code : {-1, 1, 3}) {
        SCOPED_TRACE(testing::Message() << "code " << code);
        g_codeForNext = code;
        target.Clear();
        ChooseCommand(3001);
        EXPECT_TRUE(target.Commands().empty());
    }
    g_codeForNext = HC_ACTION;
    target.Clear();
    ChooseCommand(3001);
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Commands());
    UnhookWindowsHookEx(front);
}

TEST_F(MessageHooksTest, MenuFilterForwardsHighlightsAboveTheThreshold) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    struct Case { int code; UINT message; WPARAM wParam; WPARAM forwarded; } cases[] = {
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 3001},
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(2999, MF_HILITE), 2999},
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(2996, MF_HILITE | MF_MOUSESELECT), 2996},
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(2995, MF_HILITE), 0},
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(100, MF_HILITE), 0},
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0},  // menu closed
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0), 0xFFFF},
        {MSGF_MENU, WM_MENUSELECT, MAKEWPARAM(3006, MF_POPUP | MF_MOUSESELECT), 0},
        {MSGF_MENU, WM_KEYDOWN, 3001, 0},
        {MSGF_DIALOGBOX, WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 0},
        {MSGF_SCROLLBAR, WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        target.Clear();
        MSG msg = {frame.hwnd(), cases[i].message, cases[i].wParam, 0, 0, {0, 0}};
        EXPECT_FALSE(CallMsgFilterA(&msg, cases[i].code)) << "the menu handles it as usual";
        PumpPending();
        std::vector<WPARAM> expected;
        if (cases[i].forwarded)
            expected.push_back(cases[i].forwarded);
        EXPECT_EQ(expected, target.Selects());
        EXPECT_TRUE(target.Commands().empty());
    }
}

TEST_F(MessageHooksTest, SentMenuSelectIsForwardedAboveTheThreshold) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    struct Case { UINT message; WPARAM wParam; WPARAM forwarded; } cases[] = {
        {WM_MENUSELECT, MAKEWPARAM(3006, MF_HILITE), 3006},
        {WM_MENUSELECT, MAKEWPARAM(2996, MF_HILITE), 2996},
        {WM_MENUSELECT, MAKEWPARAM(2995, MF_HILITE), 0},
        {WM_MENUSELECT, MAKEWPARAM(4, MF_HILITE | MF_POPUP), 0},
        {WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE | MF_POPUP), 0},  // a position, not an item
        {WM_COMMAND, 3001, 0},  // sent, never retrieved: not a menu choice
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        target.Clear();
        EnterMenuLoop(frame.hwnd());
        SendMessageA(frame.hwnd(), cases[i].message, cases[i].wParam, 0);
        SendMessageA(frame.hwnd(), WM_EXITMENULOOP, FALSE, 0);
        PumpPending();
        std::vector<WPARAM> expected;
        if (cases[i].forwarded)
            expected.push_back(cases[i].forwarded);
        EXPECT_EQ(expected, target.Selects());
        EXPECT_TRUE(target.Commands().empty());
    }
}

TEST_F(MessageHooksTest, DeletingTheOwnerRemovesEveryHook) {
    {
        CBarMenuData data;
        Attach(data, frame.hwnd(), target.hwnd());
        EnterMenuLoop(frame.hwnd());
        EXPECT_EQ(kHooksInMenus, InstalledHookCount()) << "deleted inside a menu loop";
        ChooseCommand(3001);
        EXPECT_EQ(1u, target.Commands().size());
    }
    EXPECT_EQ(0, InstalledHookCount());
    EXPECT_EQ(nullptr, HookTargetFor(frame.hwnd()));
    target.Clear();
    ChooseCommand(3001);
    SendMessageA(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 0);
    MSG msg = {frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 0, 0, {0, 0}};
    CallMsgFilterA(&msg, MSGF_MENU);
    PumpPending();
    EXPECT_TRUE(target.received().empty());
    EXPECT_EQ(0, DrainPluginMessages());
}

TEST_F(MessageHooksTest, InstallingTwiceOnOneObjectHooksOnce) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    data.InstallHooks();
    EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
    ChooseCommand(3001);
    EnterMenuLoop(frame.hwnd());
    EXPECT_EQ(kHooksInMenus, InstalledHookCount());
    SendMessageA(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(3002, MF_HILITE), 0);
    PumpPending();
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Commands());
    EXPECT_EQ(std::vector<WPARAM>{3002}, target.Selects());
}

// A browser window on a thread of its own: an owner attached there, a
// command retrieved there, and what its target got.
DWORD WINAPI OwnerOnAnotherThread(void* result) {
    auto& got = *static_cast<std::vector<WPARAM>*>(result);
    HWND target = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    {
        Frame frame;
        CBarMenuData data;
        Attach(data, frame.hwnd(), target);
        got.push_back(static_cast<WPARAM>(InstalledHookCount()));
        PostMessageA(frame.hwnd(), WM_COMMAND, 3004, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_PLUGIN_COMMAND && msg.hwnd == target)
                got.push_back(msg.wParam);
    }
    got.push_back(static_cast<WPARAM>(InstalledHookCount()));
    DestroyWindow(target);
    return 0;
}

TEST_F(MessageHooksTest, EachThreadWithAnOwnerHasItsOwnSet) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    std::vector<WPARAM> other;
    HANDLE thread = CreateThread(nullptr, 0, OwnerOnAnotherThread, &other, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    // Its own hooks, its command to its own target, nothing left behind.
    EXPECT_EQ((std::vector<WPARAM>{kHooksOutsideMenus, 3004, 0}), other);
    EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
    EXPECT_EQ(target.hwnd(), HookTargetFor(frame.hwnd()));
    ChooseCommand(3002);
    EXPECT_EQ(std::vector<WPARAM>{3002}, target.Commands());
}

// Two instances in one process, in two frames: the hooks stay while either
// lives, each frame's messages reach its own, and nothing stays behind once
// both are gone.
TEST_F(MessageHooksTest, SeveralOwnersShareOneSetOfHooks) {
    for (bool firstGoesFirst : {true, false}) {
        SCOPED_TRACE(firstGoesFirst ? "first deleted first" : "last deleted first");
        Target other;
        Frame otherFrame;
        auto first = std::make_unique<CBarMenuData>();
        auto second = std::make_unique<CBarMenuData>();
        Attach(*first, frame.hwnd(), target.hwnd());
        Attach(*second, otherFrame.hwnd(), other.hwnd());
        EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
        EXPECT_EQ(target.hwnd(), HookTargetFor(frame.hwnd()));
        EXPECT_EQ(other.hwnd(), HookTargetFor(otherFrame.hwnd()));

        PostMessageA(otherFrame.hwnd(), WM_COMMAND, 3001, 0);
        PumpPending();
        EXPECT_EQ(std::vector<WPARAM>{3001}, other.Commands()) << "one post, to its own frame's owner";
        EXPECT_TRUE(target.received().empty());

        Frame& survivorFrame = firstGoesFirst ? otherFrame : frame;
        Frame& goneFrame = firstGoesFirst ? frame : otherFrame;
        HWND survivorWindow = firstGoesFirst ? other.hwnd() : target.hwnd();
        if (firstGoesFirst)
            first.reset();
        else
            second.reset();
        EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
        EXPECT_EQ(survivorWindow, HookTargetFor(survivorFrame.hwnd()));
        EXPECT_EQ(nullptr, HookTargetFor(goneFrame.hwnd()));
        other.Clear();
        target.Clear();
        PostMessageA(survivorFrame.hwnd(), WM_COMMAND, 3002, 0);
        PostMessageA(goneFrame.hwnd(), WM_COMMAND, 3003, 0);
        PumpPending();
        Target& survivor = firstGoesFirst ? other : target;
        EXPECT_EQ(std::vector<WPARAM>{3002}, survivor.Commands());
        EXPECT_EQ(1u, target.received().size() + other.received().size());

        first.reset();
        second.reset();
        EXPECT_EQ(0, InstalledHookCount());
        other.Clear();
        target.Clear();
        ChooseCommand(3003);
        EXPECT_TRUE(other.received().empty());
        EXPECT_TRUE(target.received().empty());
        EXPECT_EQ(0, DrainPluginMessages());
    }
}

TEST_F(MessageHooksTest, ANeverInstalledObjectLeavesOthersHooksAlone) {
    CBarMenuData owner;
    Attach(owner, frame.hwnd(), target.hwnd());
    {
        CBarMenuData bystander;
        bystander.SetTargetWindow(nullptr);
    }
    EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
    EXPECT_EQ(target.hwnd(), HookTargetFor(frame.hwnd()));
    ChooseCommand(3001);
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Commands());
}

// The hook that sees sent messages: set by what may open a menu or by the
// menu loop itself, gone with the loop, so that outside menus a sent message
// costs the browser nothing.
TEST_F(MessageHooksTest, SentMessagesAreWatchedOnlyWhileAMenuIsOpen) {
    CBarMenuData data;
    Attach(data, frame.hwnd(), target.hwnd());
    EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
    SendMessageA(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 0);
    PumpPending();
    EXPECT_TRUE(target.Selects().empty()) << "no menu is open";

    // Thread messages: retrieved and seen by the hooks, dispatched nowhere.
    struct Case { UINT message; WPARAM wParam; int hooksAfter; } cases[] = {
        {WM_SYSKEYDOWN, VK_F10, kHooksInMenus},
        {WM_NULL, 0, kHooksOutsideMenus},  // no menu loop followed
        {WM_SYSKEYUP, VK_MENU, kHooksInMenus},
        {WM_TIMER, 1, kHooksOutsideMenus},
        {WM_SYSCHAR, 'r', kHooksInMenus},
        {WM_KEYDOWN, 'R', kHooksOutsideMenus},
        {WM_NCLBUTTONDOWN, HTMENU, kHooksInMenus},
        {WM_NCLBUTTONDOWN, HTCAPTION, kHooksOutsideMenus},
        {WM_NCLBUTTONDOWN, HTSYSMENU, kHooksInMenus},
        {WM_COMMAND, 3001, kHooksOutsideMenus},
        {WM_KEYDOWN, VK_F10, kHooksOutsideMenus},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        PostThreadMessageA(GetCurrentThreadId(), cases[i].message, cases[i].wParam, 0);
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, cases[i].message, cases[i].message, PM_REMOVE));
        EXPECT_EQ(cases[i].hooksAfter, InstalledHookCount());
    }

    target.Clear();
    EnterMenuLoop(frame.hwnd());
    EXPECT_EQ(kHooksInMenus, InstalledHookCount());
    SendMessageA(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(3001, MF_HILITE), 0);
    SendMessageA(frame.hwnd(), WM_EXITMENULOOP, FALSE, 0);
    EXPECT_EQ(kHooksOutsideMenus, InstalledHookCount());
    SendMessageA(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(3006, MF_HILITE), 0);
    PumpPending();
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Selects());
}

// A menu filter the browser set before the plug-in attached is still called
// for every message of its menu loops, and its answer stands.
int g_browserFilterCalls = 0;
LRESULT g_browserFilterAnswer = 0;
LRESULT CALLBACK BrowserMenuFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0)
        ++g_browserFilterCalls;
    if (code == MSGF_MENU)
        return g_browserFilterAnswer;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MessageHooksTest, TheBrowsersEarlierMenuFilterIsStillCalled) {
    HHOOK browserFilter = SetWindowsHookExA(WH_MSGFILTER, BrowserMenuFilter, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, browserFilter);
    {
        CBarMenuData data;
        Attach(data, frame.hwnd(), target.hwnd());
        struct Case { int code; UINT message; LRESULT answer; } cases[] = {
            {MSGF_MENU, WM_MENUSELECT, 0},
            {MSGF_MENU, WM_MENUSELECT, 1},  // the browser took the message itself
            {MSGF_MENU, WM_KEYDOWN, 1},
            {MSGF_DIALOGBOX, WM_KEYDOWN, 0},
        };
        for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
            SCOPED_TRACE(testing::Message() << "case " << i);
            g_browserFilterCalls = 0;
            g_browserFilterAnswer = cases[i].answer;
            target.Clear();
            MSG msg = {frame.hwnd(), cases[i].message, MAKEWPARAM(3001, MF_HILITE), 0, 0, {0, 0}};
            EXPECT_EQ(cases[i].answer != 0, CallMsgFilterA(&msg, cases[i].code) != FALSE);
            EXPECT_EQ(1, g_browserFilterCalls);
            PumpPending();
            const bool forwarded = cases[i].code == MSGF_MENU && cases[i].message == WM_MENUSELECT;
            EXPECT_EQ(forwarded ? std::vector<WPARAM>{3001} : std::vector<WPARAM>{}, target.Selects());
        }
    }
    UnhookWindowsHookEx(browserFilter);
}

}  // namespace

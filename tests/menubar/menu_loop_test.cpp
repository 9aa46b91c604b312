// The user's side: the browser frame's own menu loop, opened and walked with
// the keyboard, reports highlights and the chosen item to the plug-in window.
#include <gtest/gtest.h>

#include "plugin/menubar/plugin_module.h"
#include "plugin/menubar/message_hooks.h"
#include "plugin/menus/bar_menu_data.h"
#include "tests/menubar/menubar_fixture.h"

using namespace menubar_test;

namespace {

bool g_gaveUp = false;

// Ends a menu loop that the keys did not end, so that no test can hang.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    g_gaveUp = true;
    EndMenu();
}

class MenuLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPluginModule(GetModuleHandleA(nullptr));
        PumpPending();
        DrainPluginMessages();
        data.collectionEntries.push_back(Entry("Local 0", Item, 0));
        data.collectionEntries.push_back(Entry("Local 1", Item, 0));
        data.collectionEntries.push_back(Entry("Local 2", Item, 0));
        data.collectionEntries.push_back(Entry("Local 3", Item, 0));  // 2995
        AddWorkedExample(data);
        data.definitionEntries[0]->name = "&Reading";  // Alt+R opens it
        ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
        data.InstallHooks();
        data.SetTargetWindow(target.hwnd());
        ShowWindow(frame.hwnd(), SW_SHOW);
        SetForegroundWindow(frame.hwnd());
        SetFocus(frame.hwnd());
        PumpPending();
        target.Clear();
        Frame::Commands().clear();
        g_gaveUp = false;
    }

    // Opens the frame's menu bar from the keyboard and feeds the keys to its
    // loop, then lets the thread retrieve what the loop posted.
    void WalkMenu(std::initializer_list<WORD> keys) {
        for (WORD key : keys) {
            PostMessageA(frame.hwnd(), WM_KEYDOWN, key, 1);
            PostMessageA(frame.hwnd(), WM_KEYUP, key, 0xC0000001);
        }
        UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp);
        SendMessageA(frame.hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        KillTimer(nullptr, timer);
        PumpPending();
        EXPECT_FALSE(g_gaveUp) << "the menu loop had to be ended by the timer";
    }

    Frame frame;
    Target target;
    CBarMenuData data;
};

TEST_F(MenuLoopTest, ChoosingADefinitionItem) {
    // File, Edit, View, divider, collections, Reading: down opens Reading
    // on Daily news, two more downs pass Archive to Help.
    WalkMenu({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN,
              VK_RETURN});
    EXPECT_EQ((std::vector<WPARAM>{3001, 3006}), target.Selects());
    EXPECT_EQ(std::vector<WPARAM>{3006}, target.Commands());
    EXPECT_EQ(std::vector<WPARAM>{3006}, Frame::Commands()) << "the browser still gets it";
}

TEST_F(MenuLoopTest, WalkingTheCollectionPopup) {
    WalkMenu({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
              VK_RETURN});
    // Collection entry 3 (2995) is highlighted but not reported.
    EXPECT_EQ((std::vector<WPARAM>{2998, 2997, 2996, 2999}), target.Selects());
    EXPECT_EQ(std::vector<WPARAM>{2999}, target.Commands());
}

TEST_F(MenuLoopTest, ChoosingTheDividerOrABrowserItemIsNotForwarded) {
    WalkMenu({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN});
    WalkMenu({VK_DOWN, VK_RETURN});
    EXPECT_TRUE(target.received().empty());
}

TEST_F(MenuLoopTest, LeavingWithEscapeChoosesNothing) {
    WalkMenu({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_ESCAPE});
    EXPECT_TRUE(target.Commands().empty());
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Selects());
}

TEST_F(MenuLoopTest, SystemMenuHighlightsAreNotOurs) {
    // Left of File is the frame's system menu; its commands (SC_RESTORE and
    // the like) lie above 2995, but the menu is not one of the plug-in's.
    WalkMenu({VK_LEFT, VK_DOWN, VK_ESCAPE, VK_ESCAPE});
    EXPECT_TRUE(target.Commands().empty());
    EXPECT_TRUE(target.Selects().empty());
}

// Real key presses through the system's input path, as a user makes them.
void Press(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void Key(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(INPUT));
}

// A left click at a point of the screen.
void Click(POINT at) {
    SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// Every way a person opens the menus: the highlights reach the plug-in
// window, and once the menu has closed no hook watches sent messages.
TEST_F(MenuLoopTest, EveryWayOfOpeningAMenuReportsHighlights) {
    enum Way { F10, AltAndArrows, AltAndLetter, ClickOnTheBar, PopupFromPopup };
    struct Case { Way way; std::vector<WPARAM> selects; WPARAM chosen; } cases[] = {
        {F10, {3001}, 3001},
        {AltAndArrows, {3001}, 3001},
        {AltAndLetter, {3001}, 3001},
        {ClickOnTheBar, {3001}, 3001},
        {PopupFromPopup, {3001, 3003}, 3003},
    };
    ASSERT_EQ(frame.hwnd(), GetForegroundWindow());
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        target.Clear();
        g_gaveUp = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp);
        switch (cases[i].way) {
        case F10:
            Press(VK_F10);
            for (int k = 0; k < 5; ++k)
                Press(VK_RIGHT);
            Press(VK_DOWN);
            break;
        case AltAndArrows:
            Press(VK_MENU);
            for (int k = 0; k < 5; ++k)
                Press(VK_RIGHT);
            Press(VK_DOWN);
            break;
        case AltAndLetter:
            Key(VK_MENU, false);
            Press('R');
            Key(VK_MENU, true);
            break;
        case ClickOnTheBar: {
            RECT reading = {};
            ASSERT_TRUE(GetMenuItemRect(frame.hwnd(), frame.bar(), 5, &reading));
            Click({(reading.left + reading.right) / 2, (reading.top + reading.bottom) / 2});
            Press(VK_DOWN);
            break;
        }
        case PopupFromPopup:
            Press(VK_F10);
            for (int k = 0; k < 5; ++k)
                Press(VK_RIGHT);
            Press(VK_DOWN);
            Press(VK_DOWN);
            Press(VK_RIGHT);  // Archive opens on 1998
            break;
        }
        Press(VK_RETURN);
        support::PumpUntil([&] { return !target.Commands().empty() || g_gaveUp; }, 4000);
        KillTimer(nullptr, timer);
        EndMenu();
        PumpPending();
        EXPECT_FALSE(g_gaveUp);
        EXPECT_EQ(cases[i].selects, target.Selects());
        EXPECT_EQ(std::vector<WPARAM>{cases[i].chosen}, target.Commands());
        EXPECT_EQ(2, InstalledHookCount()) << "the menu has closed";
    }
}

TEST_F(MenuLoopTest, KeyboardInputOpensTheBarAndChooses) {
    ASSERT_EQ(frame.hwnd(), GetForegroundWindow());
    UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp);
    Press(VK_MENU);  // Alt alone: the menu bar takes the keyboard
    for (int i = 0; i < 5; ++i)
        Press(VK_RIGHT);
    Press(VK_DOWN);
    Press(VK_RETURN);
    support::PumpUntil([&] { return !target.Commands().empty() || g_gaveUp; }, 4000);
    KillTimer(nullptr, timer);
    EndMenu();
    PumpPending();
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Selects());
    EXPECT_EQ(std::vector<WPARAM>{3001}, target.Commands());
}

}  // namespace

// The plug-in window's handling of forwarded commands and highlights:
// navigation targets, the About box and the delayed status text.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "plugin/menus/command_ids.h"
#include "tests/instance/browser_stand_in.h"

using namespace instance_test;

namespace {

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        Browser().Clear();
        PluginWindowMessages().clear();
        ASSERT_EQ(NPERR_NO_ERROR, instance_.New({{"filename", "mymenu.zbx"}}));
        instance_.StreamAsFile(DefinitionPath().c_str());
        ASSERT_EQ(NPERR_NO_ERROR, instance_.SetWindow(frame_.plugin()));
        ASSERT_EQ(5u, instance_.data()->menus->definitionEntries.size());
        ASSERT_EQ(3u, instance_.data()->menus->collectionEntries.size());
        PumpPending();
        Browser().Clear();
        PluginWindowMessages().clear();
    }

    void TearDown() override {
        KillTimer(frame_.plugin(), 7);
        EXPECT_EQ(NPERR_NO_ERROR, instance_.Destroy());
    }

    void Command(WPARAM identifier) {
        PostMessageA(frame_.plugin(), WM_PLUGIN_COMMAND, identifier, 0);
        PumpPending();
    }
    void Select(WPARAM identifier) {
        PostMessageA(frame_.plugin(), WM_PLUGIN_SELECT, identifier, 0);
        PumpPending();
    }
    bool TimerRunning() {
        // Probing stops it, so it is started again when it ran.
        if (!KillTimer(frame_.plugin(), 2))
            return false;
        SetTimer(frame_.plugin(), 2, 50, nullptr);
        return true;
    }
    bool WaitForStatus(size_t count) {
        return PumpUntil([&] { return Browser().statuses.size() >= count; }, 2000);
    }

    Frame frame_;
    Instance instance_;
};

TEST_F(MenuCommands, CollectionIdentifiersOpenTheirEntryInTop) {
    struct Case {
        WPARAM identifier;
        const char* url;  // nullptr: nothing opened
    } cases[] = {
        {2998, kCollectionUrls[0]}, {2997, kCollectionUrls[1]}, {2996, kCollectionUrls[2]},
        {2995, nullptr},            {3000, nullptr},            {2921, nullptr},
        {100, nullptr},             {0, nullptr},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ", identifier " + std::to_string(cases[i].identifier));
        Browser().Clear();
        Command(cases[i].identifier);
        if (!cases[i].url) {
            EXPECT_TRUE(Browser().urls.empty());
            continue;
        }
        ASSERT_EQ(1u, Browser().urls.size());
        EXPECT_EQ(instance_.npp(), Browser().urls[0].npp);
        EXPECT_EQ(cases[i].url, Browser().urls[0].url);
        EXPECT_EQ("_top", Browser().urls[0].target);
    }
}

TEST_F(MenuCommands, DefinitionIdentifiersOpenTheirEntryInTheContentWindow) {
    struct Case {
        WPARAM identifier;
        const char* url;
    } cases[] = {
        {3001, kDefinitionUrls[1]}, {3002, kDefinitionUrls[2]}, {3003, nullptr},  // no address
        {3004, kDefinitionUrls[4]}, {3005, nullptr},            {3006, nullptr},
        {0x00010BB9, nullptr},  // 3001 with a high word: an accelerator's command
        {0xFFFFFFFF, nullptr},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ", identifier " + std::to_string(cases[i].identifier));
        Browser().Clear();
        Command(cases[i].identifier);
        if (!cases[i].url) {
            EXPECT_TRUE(Browser().urls.empty());
            continue;
        }
        ASSERT_EQ(1u, Browser().urls.size());
        EXPECT_EQ(instance_.npp(), Browser().urls[0].npp);
        EXPECT_EQ(cases[i].url, Browser().urls[0].url);
        EXPECT_EQ("Vantrel_Content", Browser().urls[0].target);
    }
}

TEST_F(MenuCommands, ChosenMenuItemsReachThePluginThroughTheHook) {
    ChooseFromMenu(frame_.hwnd(), 3004);
    ChooseFromMenu(frame_.hwnd(), 2997);
    ChooseFromMenu(frame_.hwnd(), zorbit::kDividerCommand);
    ASSERT_EQ(2u, Browser().urls.size());
    EXPECT_EQ(kDefinitionUrls[4], Browser().urls[0].url);
    EXPECT_EQ("Vantrel_Content", Browser().urls[0].target);
    EXPECT_EQ(kCollectionUrls[1], Browser().urls[1].url);
    EXPECT_EQ("_top", Browser().urls[1].target);
}

TEST_F(MenuCommands, WindowWithoutTheRecordPropertyIgnoresCommands) {
    HANDLE record = RemovePropA(frame_.plugin(), "instance->pdata");
    ASSERT_NE(nullptr, record);
    Command(3001);
    Command(2998);
    Select(3001);
    PumpFor(120);
    SetPropA(frame_.plugin(), "instance->pdata", record);
    EXPECT_TRUE(Browser().urls.empty());
    EXPECT_TRUE(Browser().statuses.empty());
}

struct AboutBoxSeen {
    bool found = false;
    std::string text;
    HWND owner = nullptr;
    bool hasOk = false;
    bool hasOtherButton = false;
    bool hasIcon = false;
};

// Waits on another thread for the box, reads it and presses OK.
void AnswerAboutBox(AboutBoxSeen& seen) {
    for (int attempt = 0; attempt < 250 && !seen.found; ++attempt) {
        Sleep(20);
        HWND box = FindWindowA("#32770", "About Zorbit");
        if (!box)
            continue;
        seen.found = true;
        seen.owner = GetWindow(box, GW_OWNER);
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        seen.text = text;
        seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
        for (int id : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
            seen.hasOtherButton |= GetDlgItem(box, id) != nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char cls[32] = "";
            GetClassNameA(child, cls, sizeof(cls));
            if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0))
                seen.hasIcon = true;
        }
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
}

TEST_F(MenuCommands, AboutShowsTheBoxAndOpensNothing) {
    AboutBoxSeen seen;
    std::thread answer(AnswerAboutBox, std::ref(seen));
    // Sent, so that it returns only once the modal box is closed.
    SendMessageA(frame_.plugin(), WM_PLUGIN_COMMAND, zorbit::kAboutCommand, 0);
    answer.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(
        "Zorbit Plugin, version 0.2.2\n\n"
        "Copyright (c) Vantrel Software Inc. All rights reserved.\n\n"
        "\t\tVantrel Software Inc., 2140 Larkspur Avenue, Suite 300, Portland, OR 97205 \n\n"
        "\t\t\t http://www.vantrel.example/zorbit/",
        seen.text);
    EXPECT_EQ(GetAncestor(frame_.plugin(), GA_ROOT), seen.owner);
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasOtherButton);
    EXPECT_FALSE(seen.hasIcon);
    EXPECT_TRUE(Browser().urls.empty());
    EXPECT_EQ(nullptr, FindWindowA("#32770", "About Zorbit"));
}

TEST_F(MenuCommands, HighlightedDefinitionItemIsShownAfterTheDelay) {
    const DWORD start = GetTickCount();
    Select(3001);
    EXPECT_TRUE(Browser().statuses.empty());
    ASSERT_TRUE(WaitForStatus(1));
    EXPECT_EQ(kDefinitionUrls[1], Browser().statuses[0].text);
    EXPECT_EQ(instance_.npp(), Browser().statuses[0].npp);
    EXPECT_GE(Browser().statuses[0].tick - start, 40u);
    // Once: the timer stopped with the first display.
    PumpFor(150);
    EXPECT_EQ(1u, Browser().statuses.size());
    EXPECT_FALSE(TimerRunning());
    // The timer message still reached the browser's procedure.
    bool passedOn = false;
    for (const auto& message : PluginWindowMessages())
        passedOn |= message.message == WM_TIMER && message.wParam == 2;
    EXPECT_TRUE(passedOn);
}

TEST_F(MenuCommands, HighlightsThatShowNothing) {
    const WPARAM identifiers[] = {2998, 2996, 2999, 3000, 3003, 3005, 0x00010BB9};
    for (size_t i = 0; i < sizeof(identifiers) / sizeof(identifiers[0]); ++i) {
        SCOPED_TRACE("identifier " + std::to_string(identifiers[i]));
        Select(identifiers[i]);
        EXPECT_FALSE(TimerRunning());
    }
    PumpFor(120);
    EXPECT_TRUE(Browser().statuses.empty());
}

TEST_F(MenuCommands, CollectionAndAboutHighlightsLeaveARunningTimerAlone) {
    Select(3002);
    ASSERT_TRUE(TimerRunning());
    Select(2998);
    Select(2999);
    EXPECT_TRUE(TimerRunning());
    ASSERT_TRUE(WaitForStatus(1));
    PumpFor(100);
    ASSERT_EQ(1u, Browser().statuses.size());
    EXPECT_EQ(kDefinitionUrls[2], Browser().statuses[0].text);
}

TEST_F(MenuCommands, QuickHighlightsShowOnlyTheLast) {
    Select(3001);
    Sleep(20);
    Select(3004);
    ASSERT_TRUE(WaitForStatus(1));
    PumpFor(150);
    ASSERT_EQ(1u, Browser().statuses.size());
    EXPECT_EQ(kDefinitionUrls[4], Browser().statuses[0].text);
}

TEST_F(MenuCommands, AnyTimerOnTheWindowShowsThePendingAddressAndStopsTheStatusTimer) {
    // Nothing pending yet: another timer shows nothing and is passed on.
    SendMessageA(frame_.plugin(), WM_TIMER, 7, 0);
    EXPECT_TRUE(Browser().statuses.empty());
    ASSERT_EQ(1u, PluginWindowMessages().size());
    EXPECT_EQ(7u, PluginWindowMessages()[0].wParam);

    Select(3002);
    ASSERT_TRUE(TimerRunning());
    SendMessageA(frame_.plugin(), WM_TIMER, 7, 0);
    ASSERT_EQ(1u, Browser().statuses.size());
    EXPECT_EQ(kDefinitionUrls[2], Browser().statuses[0].text);
    EXPECT_FALSE(TimerRunning());
    PumpFor(120);
    EXPECT_EQ(1u, Browser().statuses.size());

    // A real timer of another identifier shows the same address each time.
    SetTimer(frame_.plugin(), 7, 10, nullptr);
    ASSERT_TRUE(WaitForStatus(3));
    KillTimer(frame_.plugin(), 7);
    for (const auto& status : Browser().statuses)
        EXPECT_EQ(kDefinitionUrls[2], status.text);
}

}  // namespace

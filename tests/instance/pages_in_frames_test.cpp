// Several pages with the plug-in at once, in several browser windows or on
// one window's bar: every set of menus acts on the page it came from.
#include <gtest/gtest.h>

#include <string>

#include "tests/instance/browser_stand_in.h"

using namespace instance_test;

namespace {

// File, Edit, View, the divider, the collections and Links.
constexpr int kOneSet = 6;

class PagesInFrames : public ::testing::Test {
protected:
    void SetUp() override {
        Browser().Clear();
        PluginWindowMessages().clear();
    }

    static void Open(Instance& page, HWND pluginWindow) {
        ASSERT_EQ(NPERR_NO_ERROR, page.New({{"filename", "mymenu.zbx"}}));
        page.StreamAsFile(DefinitionPath().c_str());
        ASSERT_EQ(NPERR_NO_ERROR, page.SetWindow(pluginWindow));
        PumpPending();
        Browser().urls.clear();
        Browser().statuses.clear();
    }
};

// The Links popup at the end of the frame's bar.
HMENU LinksMenu(const Frame& frame) { return GetSubMenu(frame.bar(), GetMenuItemCount(frame.bar()) - 1); }

// A highlight inside a menu loop of the frame, as the loop sends it.
void Highlight(const Frame& frame, WPARAM item, HMENU menu) {
    MSG start = {frame.hwnd(), WM_NULL, 0, 0, 0, {0, 0}};
    CallMsgFilterA(&start, MSGF_MENU);
    SendMessageA(frame.hwnd(), WM_MENUSELECT, MAKEWPARAM(item, MF_HILITE), reinterpret_cast<LPARAM>(menu));
    SendMessageA(frame.hwnd(), WM_EXITMENULOOP, FALSE, 0);
    PumpPending();
}

// What one chosen item opened: nothing, or one address through one page.
void ExpectOpened(NPP page, const char* url, const char* target, int line) {
    SCOPED_TRACE("from line " + std::to_string(line));
    ASSERT_EQ(1u, Browser().urls.size());
    EXPECT_EQ(page, Browser().urls[0].npp);
    EXPECT_EQ(url, Browser().urls[0].url);
    EXPECT_EQ(target, Browser().urls[0].target);
    Browser().urls.clear();
}
#define EXPECT_OPENED(page, url, target) ExpectOpened(page, url, target, __LINE__)

void ExpectShown(NPP page, const char* url, int line) {
    SCOPED_TRACE("from line " + std::to_string(line));
    ASSERT_TRUE(PumpUntil([] { return !Browser().statuses.empty(); }, 2000));
    EXPECT_EQ(page, Browser().statuses[0].npp);
    EXPECT_EQ(url, Browser().statuses[0].text);
    Browser().statuses.clear();
}
#define EXPECT_SHOWN(page, url) ExpectShown(page, url, __LINE__)

// Two browser windows, each with a page of its own.
class TwoWindows : public PagesInFrames {
protected:
    void SetUp() override {
        PagesInFrames::SetUp();
        Open(first, one.plugin());
        Open(second, two.plugin());
    }
    Frame one;
    Frame two;
    Instance first;
    Instance second;
};

TEST_F(TwoWindows, EachWindowsMenusActOnItsOwnPage) {
    struct Case { const Frame& frame; Instance& page; WPARAM item; const char* url; const char* target; } cases[] = {
        {one, first, 3001, kDefinitionUrls[1], "Vantrel_Content"},
        {two, second, 3002, kDefinitionUrls[2], "Vantrel_Content"},
        {one, first, 2998, kCollectionUrls[0], "_top"},  // never window 2's _top
        {two, second, 2997, kCollectionUrls[1], "_top"},
    };
    for (const Case& c : cases) {
        ChooseFromMenu(c.frame.hwnd(), c.item);
        EXPECT_OPENED(c.page.npp(), c.url, c.target);
        Highlight(c.frame, 3004, LinksMenu(c.frame));
        EXPECT_SHOWN(c.page.npp(), kDefinitionUrls[4]);
    }
    // A menu that is not the frame's own set names nothing.
    Highlight(one, 3001, LinksMenu(two));
    Highlight(one, 3001, GetSystemMenu(one.hwnd(), FALSE));
    PumpFor(120);
    EXPECT_TRUE(Browser().statuses.empty());
}

TEST_F(TwoWindows, OneWindowKeepsWorkingWhenTheOthersPluginWindowGoesFirst) {
    DestroyWindow(two.plugin());
    PumpPending();
    ChooseFromMenu(one.hwnd(), 3001);
    EXPECT_OPENED(first.npp(), kDefinitionUrls[1], "Vantrel_Content");
    EXPECT_EQ(NPERR_NO_ERROR, second.Destroy());
    ChooseFromMenu(one.hwnd(), 2996);
    EXPECT_OPENED(first.npp(), kCollectionUrls[2], "_top");
}

// The set of the page attached first stays on the bar while it lives: the
// menus a person is looking at never change because another frame loaded.
TEST_F(PagesInFrames, TwoPagesOnOneBarShowOneSet) {
    for (bool firstGoesFirst : {true, false}) {
        SCOPED_TRACE(firstGoesFirst ? "first page goes first" : "second page goes first");
        Frame frame;
        const HWND secondWindow = frame.AddPluginWindow();
        Instance first;
        Instance second;
        Open(first, frame.plugin());
        Open(second, secondWindow);
        EXPECT_EQ(kOneSet, GetMenuItemCount(frame.bar()));
        ChooseFromMenu(frame.hwnd(), 3001);
        EXPECT_OPENED(first.npp(), kDefinitionUrls[1], "Vantrel_Content");

        Instance& survivor = firstGoesFirst ? second : first;
        EXPECT_EQ(NPERR_NO_ERROR, (firstGoesFirst ? first : second).Destroy());
        EXPECT_EQ(kOneSet, GetMenuItemCount(frame.bar()));
        ChooseFromMenu(frame.hwnd(), 2997);
        EXPECT_OPENED(survivor.npp(), kCollectionUrls[1], "_top");
        Highlight(frame, 3002, LinksMenu(frame));
        EXPECT_SHOWN(survivor.npp(), kDefinitionUrls[2]);

        EXPECT_EQ(NPERR_NO_ERROR, survivor.Destroy());
        EXPECT_EQ(3, GetMenuItemCount(frame.bar()));
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "plugin/menubar/plugin_module.h"
#include "plugin/menus/bar_menu_data.h"
#include "tests/menubar/menubar_fixture.h"

using namespace menubar_test;

namespace {

struct Installed {
    std::vector<HMENU> menus;  // created menus and every submenu inside them
    HBITMAP face = nullptr;
    HBITMAP divider = nullptr;
};

// Without recursion: a page decides how deep its menus nest.
void CollectSubmenus(HMENU menu, std::vector<HMENU>& out) {
    std::vector<HMENU> unread = {menu};
    while (!unread.empty()) {
        const HMENU next = unread.back();
        unread.pop_back();
        for (const MenuItem& item : ReadItems(next))
            if (item.submenu) {
                out.push_back(item.submenu);
                unread.push_back(item.submenu);
            }
    }
}

Installed Snapshot(const CBarMenuData& data) {
    Installed installed;
    for (HMENU menu : SetOf(data).createdMenus) {
        installed.menus.push_back(menu);
        CollectSubmenus(menu, installed.menus);
    }
    installed.face = SetOf(data).faceBitmap;
    installed.divider = SetOf(data).dividerBitmap;
    return installed;
}

void ExpectAllFreed(const Installed& installed, int line) {
    SCOPED_TRACE(testing::Message() << "checked at line " << line);
    for (size_t i = 0; i < installed.menus.size(); ++i)
        EXPECT_FALSE(IsMenu(installed.menus[i])) << "menu " << i << " survived";
    BITMAP info;
    EXPECT_EQ(0, GetObjectA(installed.face, sizeof(info), &info)) << "face picture survived";
    EXPECT_EQ(0, GetObjectA(installed.divider, sizeof(info), &info)) << "divider survived";
}
#define EXPECT_ALL_FREED(installed) ExpectAllFreed(installed, __LINE__)

void ExpectSameBar(const std::vector<MenuItem>& before, HMENU bar, int line) {
    SCOPED_TRACE(testing::Message() << "checked at line " << line);
    std::vector<MenuItem> after = ReadItems(bar);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i].text, after[i].text) << "item " << i;
        EXPECT_EQ(before[i].submenu, after[i].submenu) << "item " << i;
        EXPECT_EQ(before[i].type, after[i].type) << "item " << i;
        EXPECT_TRUE(IsMenu(after[i].submenu)) << "browser's popup " << i;
    }
}
#define EXPECT_SAME_BAR(before, bar) ExpectSameBar(before, bar, __LINE__)

RECT WindowRect(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

void ExpectSameRect(const RECT& a, const RECT& b, int line) {
    SCOPED_TRACE(testing::Message() << "checked at line " << line);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
}

class RemoveMenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPluginModule(GetModuleHandleA(nullptr));
        ShowWindow(frame.hwnd(), SW_SHOWNOACTIVATE);
    }
    Frame frame;
};

TEST_F(RemoveMenusTest, DeletingTheModelRestoresBarAndFrameSize) {
    std::vector<MenuItem> before = ReadItems(frame.bar());
    RECT rect = WindowRect(frame.hwnd());
    RECT client = {};
    GetClientRect(frame.hwnd(), &client);
    Installed installed;
    {
        CBarMenuData data;
        data.collectionEntries.push_back(Entry("Local pages", Item, 0));
        AddWorkedExample(data);
        ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
        installed = Snapshot(data);
        ASSERT_EQ(4u, installed.menus.size());  // popup, holder, title, Archive
    }
    EXPECT_SAME_BAR(before, frame.bar());
    ExpectSameRect(rect, WindowRect(frame.hwnd()), __LINE__);
    RECT clientAfter = {};
    GetClientRect(frame.hwnd(), &clientAfter);
    ExpectSameRect(client, clientAfter, __LINE__);
    EXPECT_ALL_FREED(installed);
}

TEST_F(RemoveMenusTest, WrappedBarIsLaidOutAgainAtTheOldSize) {
    RECT rect = WindowRect(frame.hwnd());
    RECT client = {};
    GetClientRect(frame.hwnd(), &client);
    CBarMenuData data;
    for (int i = 0; i < 12; ++i) {
        data.definitionEntries.push_back(Entry("A rather long menu title", Title, 0));
        data.definitionEntries.push_back(Entry("Item", Item, 1));
    }
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    RECT wrapped = {};
    GetClientRect(frame.hwnd(), &wrapped);
    EXPECT_LT(wrapped.bottom, client.bottom) << "the bar takes several rows";
    data.RemoveMenus();
    RECT after = {};
    GetClientRect(frame.hwnd(), &after);
    ExpectSameRect(client, after, __LINE__);
    ExpectSameRect(rect, WindowRect(frame.hwnd()), __LINE__);
}

TEST_F(RemoveMenusTest, ItemsAppendedAfterInstallationComeOffToo) {
    std::vector<MenuItem> before = ReadItems(frame.bar());
    CBarMenuData data;
    AddWorkedExample(data);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    AppendMenuA(frame.bar(), MF_STRING, 55, "Extra");
    Installed installed = Snapshot(data);
    data.RemoveMenus();
    EXPECT_SAME_BAR(before, frame.bar());
    EXPECT_ALL_FREED(installed);
    EXPECT_TRUE(SetOf(data).createdMenus.empty());
    EXPECT_EQ(nullptr, SetOf(data).faceBitmap);
    EXPECT_EQ(nullptr, SetOf(data).dividerBitmap);
}

TEST_F(RemoveMenusTest, ShorterBarKeepsTheBrowsersItemsButFreesEverything) {
    CBarMenuData data;
    AddWorkedExample(data);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    Installed installed = Snapshot(data);
    // Something took items off the bar, the browser's View among them.
    HMENU view = ReadItem(frame.bar(), 2).submenu;
    while (GetMenuItemCount(frame.bar()) > 2)
        RemoveMenu(frame.bar(), static_cast<UINT>(GetMenuItemCount(frame.bar()) - 1), MF_BYPOSITION);
    data.RemoveMenus();
    EXPECT_EQ(2, GetMenuItemCount(frame.bar()));
    EXPECT_ALL_FREED(installed);
    DestroyMenu(view);
}

TEST_F(RemoveMenusTest, FrameWithoutMenuBarStillFreesMenusAndPictures) {
    Frame bare(false);
    ASSERT_EQ(nullptr, bare.bar());
    Installed installed;
    {
        CBarMenuData data;
        AddWorkedExample(data);
        ASSERT_EQ(1, data.InstallMenus(bare.hwnd()));
        installed = Snapshot(data);
        EXPECT_EQ(3u, SetOf(data).createdMenus.size());
    }
    EXPECT_ALL_FREED(installed);
    EXPECT_EQ(nullptr, bare.bar());
}

TEST_F(RemoveMenusTest, FrameDestroyedFirst) {
    auto doomed = std::make_unique<Frame>();
    CBarMenuData data;
    AddWorkedExample(data);
    ASSERT_EQ(1, data.InstallMenus(doomed->hwnd()));
    Installed installed = Snapshot(data);
    doomed.reset();
    data.RemoveMenus();
    EXPECT_ALL_FREED(installed);
}

TEST_F(RemoveMenusTest, NeverInstalledTouchesNoBar) {
    std::vector<MenuItem> before = ReadItems(frame.bar());
    {
        CBarMenuData data;
        AddWorkedExample(data);
    }
    EXPECT_SAME_BAR(before, frame.bar());
}

TEST_F(RemoveMenusTest, HundredCyclesLeaveNothingBehind) {
    std::vector<MenuItem> before = ReadItems(frame.bar());
    RECT rect = WindowRect(frame.hwnd());
    HANDLE process = GetCurrentProcess();
    // Warm-up: the first cycle may create lasting system objects.
    {
        CBarMenuData data;
        AddWorkedExample(data);
        data.InstallMenus(frame.hwnd());
    }
    DWORD userBefore = GetGuiResources(process, GR_USEROBJECTS);
    DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    for (int cycle = 0; cycle < 100; ++cycle) {
        SCOPED_TRACE(testing::Message() << "cycle " << cycle);
        Installed installed;
        {
            CBarMenuData data;
            data.collectionEntries.push_back(Entry("Local pages", Item, 0));
            AddWorkedExample(data);
            ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
            installed = Snapshot(data);
        }
        EXPECT_ALL_FREED(installed);
        if (HasFailure())
            break;
    }
    EXPECT_EQ(userBefore, GetGuiResources(process, GR_USEROBJECTS));
    EXPECT_EQ(gdiBefore, GetGuiResources(process, GR_GDIOBJECTS));
    RecordProperty("user_objects", static_cast<int>(userBefore));
    RecordProperty("gdi_objects", static_cast<int>(gdiBefore));
    printf("GetGuiResources: %lu user, %lu GDI objects\n", static_cast<unsigned long>(userBefore),
           static_cast<unsigned long>(gdiBefore));
    EXPECT_SAME_BAR(before, frame.bar());
    ExpectSameRect(rect, WindowRect(frame.hwnd()), __LINE__);
}

// The platform's DestroyMenu recurses once per level and never returns from
// 10,000; whatever hangs under a created menu is taken apart from below.
TEST_F(RemoveMenusTest, TenThousandLevelsUnderATitleAreTakenApart) {
    std::vector<MenuItem> before = ReadItems(frame.bar());
    CBarMenuData data;
    AddWorkedExample(data);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    Installed installed = Snapshot(data);
    HMENU parent = SetOf(data).createdMenus.back();
    for (int level = 0; level < 10000; ++level) {
        HMENU submenu = CreateMenu();
        ASSERT_TRUE(AppendMenuA(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), "s"));
        installed.menus.push_back(submenu);
        parent = submenu;
    }
    data.RemoveMenus();
    EXPECT_SAME_BAR(before, frame.bar());
    EXPECT_ALL_FREED(installed);
}

}  // namespace

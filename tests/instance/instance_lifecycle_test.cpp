// NPP_New, NPP_SetWindow and NPP_Destroy against real windows, menu bars
// and thread hooks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/menubar/menu_bar_set.h"
#include "plugin/menus/command_ids.h"
#include "tests/instance/browser_stand_in.h"

using namespace instance_test;

namespace {

class InstanceLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        Browser().Clear();
        PluginWindowMessages().clear();
    }
    void TearDown() override {
        EXPECT_EQ(0, Browser().overrunBlocks) << "a block was written past its end";
    }

    // Makes the instance ready with the definition of the run.
    void NewWithDefinition(Instance& instance) {
        ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
        instance.StreamAsFile(DefinitionPath().c_str());
        ASSERT_EQ(1, instance.data()->ready);
    }

    int StatusCount(const char* text) {
        int count = 0;
        for (const auto& status : Browser().statuses)
            count += status.text == text;
        return count;
    }
};

void ExpectBrowserBar(HMENU bar, int line) {
    SCOPED_TRACE("from line " + std::to_string(line));
    const auto items = ReadItems(bar);
    ASSERT_EQ(3u, items.size());
    const char* names[] = {"File", "Edit", "View"};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(names[i], items[i].text) << "item " << i;
}
#define EXPECT_BROWSER_BAR(bar) ExpectBrowserBar(bar, __LINE__)

TEST_F(InstanceLifecycle, FileNameInAnyCaseIsTakenOnceAndRequestedWithNullTarget) {
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"width", "2"},
                                            {"FILENAME", "mymenu.zbx"},
                                            {"filename", "other.zbx"},
                                            {"height", "2"}}));
    InstanceData* data = instance.data();
    ASSERT_NE(nullptr, data);
    EXPECT_STREQ("mymenu.zbx", data->fileName);
    EXPECT_EQ(0, data->ready);
    EXPECT_STREQ("instance->pdata", data->propName);
    EXPECT_EQ(nullptr, data->window);
    EXPECT_EQ(nullptr, data->hwnd);
    EXPECT_EQ(nullptr, data->pluginWnd);
    ASSERT_NE(nullptr, data->menus);
    EXPECT_EQ(3u, data->menus->collectionEntries.size());
    ASSERT_EQ(1u, Browser().urls.size());
    EXPECT_EQ(instance.npp(), Browser().urls[0].npp);
    EXPECT_EQ("mymenu.zbx", Browser().urls[0].url);
    EXPECT_EQ("<null>", Browser().urls[0].target);
}

TEST_F(InstanceLifecycle, WithoutFileNameReadyAndNothingRequested) {
    for (int16_t count : {0, -1}) {
        SCOPED_TRACE("attribute count " + std::to_string(count));
        Browser().Clear();
        Instance instance;
        NPP_t& npp = *instance.npp();
        char* names[] = {const_cast<char*>("src")};
        char* values[] = {const_cast<char*>("page.zbx")};
        char type[] = "application/vnd.vantrel-zorbit";
        ASSERT_EQ(NPERR_NO_ERROR, Plugin().newp(type, &npp, NP_EMBED, count, names, values, nullptr));
        ASSERT_NE(nullptr, instance.data());
        EXPECT_EQ(1, instance.data()->ready);
        EXPECT_STREQ("", instance.data()->fileName);
        EXPECT_TRUE(Browser().urls.empty());
        EXPECT_EQ(3u, instance.data()->menus->collectionEntries.size());
        EXPECT_EQ(NPERR_NO_ERROR, Plugin().destroy(&npp, nullptr));
    }
}

TEST_F(InstanceLifecycle, NullArguments) {
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, Plugin().newp(nullptr, nullptr, NP_EMBED, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, Plugin().destroy(nullptr, nullptr));
    NPWindow window{};
    EXPECT_EQ(NPERR_GENERIC_ERROR, Plugin().setwindow(nullptr, nullptr));
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, Plugin().setwindow(nullptr, &window));
    NPP_t empty{};
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, Plugin().setwindow(&empty, &window));

    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({}));
    EXPECT_EQ(NPERR_GENERIC_ERROR, instance.SetWindowDescription(nullptr));
    EXPECT_EQ(NPERR_NO_ERROR, instance.SetWindow(nullptr));
    EXPECT_EQ(nullptr, instance.data()->hwnd);
}

TEST_F(InstanceLifecycle, FailedAllocationGivesOutOfMemoryAndDestroyTouchesNothing) {
    Instance instance;
    Browser().failNextAlloc = true;
    EXPECT_EQ(NPERR_OUT_OF_MEMORY_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    EXPECT_EQ(nullptr, instance.npp()->pdata);
    EXPECT_TRUE(Browser().urls.empty());
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, instance.Destroy());
    EXPECT_TRUE(Browser().freedBlocks.empty());
}

TEST_F(InstanceLifecycle, SetWindowWhileWaitingDoesNothingThenAttachesOnceTheFileIsRead) {
    Frame frame;
    Instance instance;
    ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    EXPECT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    EXPECT_EQ(nullptr, GetPropA(frame.plugin(), "instance->pdata"));
    EXPECT_EQ(nullptr, GetPropA(frame.plugin(), "instance"));
    EXPECT_EQ(nullptr, instance.data()->hwnd);
    EXPECT_BROWSER_BAR(frame.bar());

    instance.StreamAsFile(DefinitionPath().c_str());
    EXPECT_EQ(1, instance.data()->ready);
    EXPECT_EQ(5u, instance.data()->menus->definitionEntries.size());
    EXPECT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    EXPECT_EQ(instance.data(), GetPropA(frame.plugin(), "instance->pdata"));
    EXPECT_EQ(instance.data(), GetPropA(frame.plugin(), "instance"));
    EXPECT_EQ(frame.plugin(), instance.data()->hwnd);
    EXPECT_EQ(&instance.description(), instance.data()->window);
    EXPECT_NE(nullptr, instance.data()->pluginWnd);
    EXPECT_EQ(6, GetMenuItemCount(frame.bar()));
}

TEST_F(InstanceLifecycle, MenusGoToTheOutermostAncestor) {
    Frame frame;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));

    const auto bar = ReadItems(frame.bar());
    ASSERT_EQ(6u, bar.size());
    EXPECT_EQ("View", bar[2].text);
    EXPECT_TRUE(bar[3].type & MFT_BITMAP);
    EXPECT_EQ(zorbit::kDividerCommand, bar[3].id);
    EXPECT_TRUE(bar[4].type & MFT_BITMAP);
    ASSERT_NE(nullptr, bar[4].submenu);
    EXPECT_EQ("Links", bar[5].text);
    ASSERT_NE(nullptr, bar[5].submenu);

    const auto collections = ReadItems(bar[4].submenu);
    ASSERT_EQ(4u, collections.size());
    const char* names[] = {"Home", "Travel", "Music", "About Zorbit"};
    const UINT ids[] = {2998, 2997, 2996, 2999};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(names[i], collections[i].text) << "collection item " << i;
        EXPECT_EQ(ids[i], collections[i].id) << "collection item " << i;
    }
    const auto links = ReadItems(bar[5].submenu);
    ASSERT_EQ(4u, links.size());
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(3001 + i, links[i].id) << "link item " << i;
    EXPECT_EQ(nullptr, GetMenu(frame.middle()));
}

TEST_F(InstanceLifecycle, SameWindowTwiceAttachesOnce) {
    Frame frame;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    const LONG_PTR subclassed = GetWindowLongPtrA(frame.plugin(), GWLP_WNDPROC);
    CPluginWnd* pluginWnd = instance.data()->pluginWnd;
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));

    EXPECT_EQ(1, StatusCount(" sURL "));
    EXPECT_EQ(6, GetMenuItemCount(frame.bar()));
    EXPECT_EQ(pluginWnd, instance.data()->pluginWnd);
    EXPECT_EQ(subclassed, GetWindowLongPtrA(frame.plugin(), GWLP_WNDPROC));
    EXPECT_NE(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), subclassed);
}

TEST_F(InstanceLifecycle, PaintValidatesWithoutReachingTheBrowsersProcedure) {
    Frame frame(true);
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    PumpPending();
    PluginWindowMessages().clear();

    InvalidateRect(frame.plugin(), nullptr, TRUE);
    UpdateWindow(frame.plugin());
    EXPECT_FALSE(GetUpdateRect(frame.plugin(), nullptr, FALSE));
    for (const auto& message : PluginWindowMessages())
        EXPECT_NE(static_cast<UINT>(WM_PAINT), message.message);
}

TEST_F(InstanceLifecycle, DestroyRestoresBarHooksProcedureAndFreesTheRecord) {
    Frame frame;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    void* record = instance.npp()->pdata;

    // Attached: a chosen definition item reaches the plug-in through the hook.
    Browser().Clear();
    ChooseFromMenu(frame.hwnd(), 3001);
    ASSERT_EQ(1u, Browser().urls.size());
    EXPECT_EQ("http://one.example/", Browser().urls[0].url);

    Browser().Clear();
    EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy());
    EXPECT_BROWSER_BAR(frame.bar());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(frame.plugin(), GWLP_WNDPROC));
    EXPECT_TRUE(IsWindow(frame.plugin()));
    ASSERT_EQ(1u, Browser().freedBlocks.size());
    EXPECT_EQ(record, Browser().freedBlocks[0]);
    EXPECT_EQ(nullptr, instance.npp()->pdata);
    EXPECT_EQ(nullptr, GetPropA(frame.plugin(), "instance->pdata"));

    // No hook left: the same choice now reaches only the browser.
    PluginWindowMessages().clear();
    ChooseFromMenu(frame.hwnd(), 3001);
    EXPECT_TRUE(Browser().urls.empty());
    for (const auto& message : PluginWindowMessages())
        EXPECT_NE(static_cast<UINT>(WM_PLUGIN_COMMAND), message.message);
}

TEST_F(InstanceLifecycle, DestroyStopsTheStatusTimerBeforeGivingTheWindowBack) {
    Frame frame;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    SendMessageA(frame.plugin(), WM_PLUGIN_SELECT, 3001, 0);
    PluginWindowMessages().clear();
    Browser().Clear();
    EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy());

    PumpFor(200);
    for (const auto& message : PluginWindowMessages())
        EXPECT_NE(static_cast<UINT>(WM_TIMER), message.message) << "timer " << message.wParam;
    EXPECT_TRUE(Browser().statuses.empty());
    EXPECT_FALSE(KillTimer(frame.plugin(), 2));
}

TEST_F(InstanceLifecycle, AnotherWindowUndoesTheFirstAttachment) {
    Frame first;
    Frame second;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(first.plugin()));
    ASSERT_EQ(6, GetMenuItemCount(first.bar()));

    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(second.plugin()));
    EXPECT_BROWSER_BAR(first.bar());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(first.plugin(), GWLP_WNDPROC));
    EXPECT_EQ(nullptr, GetPropA(first.plugin(), "instance->pdata"));
    EXPECT_EQ(nullptr, GetPropA(first.plugin(), "instance"));
    EXPECT_EQ(6, GetMenuItemCount(second.bar()));
    EXPECT_EQ(instance.data(), GetPropA(second.plugin(), "instance->pdata"));
    EXPECT_EQ(second.plugin(), instance.data()->hwnd);
    EXPECT_EQ(2, StatusCount(" sURL "));

    // Commands now reach the second window's plug-in object.
    Browser().urls.clear();
    ChooseFromMenu(second.hwnd(), 3002);
    ASSERT_EQ(1u, Browser().urls.size());
    EXPECT_EQ("http://two.example/", Browser().urls[0].url);

    EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy());
    EXPECT_BROWSER_BAR(second.bar());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(second.plugin(), GWLP_WNDPROC));
}

TEST_F(InstanceLifecycle, ARefusedAttachmentLeavesTheFirstInstanceWorking) {
    Frame frame;
    Instance first;
    Instance second;
    NewWithDefinition(first);
    NewWithDefinition(second);
    ASSERT_EQ(NPERR_NO_ERROR, first.SetWindow(frame.plugin()));
    EXPECT_EQ(NPERR_GENERIC_ERROR, second.SetWindow(frame.plugin()));
    EXPECT_EQ(nullptr, second.data()->hwnd);
    EXPECT_EQ(6, GetMenuItemCount(frame.bar()));
    EXPECT_EQ(first.data(), GetPropA(frame.plugin(), "instance->pdata"));
    EXPECT_EQ(first.data(), GetPropA(frame.plugin(), "instance"));

    Browser().urls.clear();
    ChooseFromMenu(frame.hwnd(), 3002);
    ASSERT_EQ(1u, Browser().urls.size());
    EXPECT_EQ(first.npp(), Browser().urls[0].npp);
    EXPECT_EQ(NPERR_NO_ERROR, second.Destroy());
    EXPECT_EQ(6, GetMenuItemCount(frame.bar()));
    EXPECT_EQ(NPERR_NO_ERROR, first.Destroy());
    EXPECT_BROWSER_BAR(frame.bar());
}

TEST_F(InstanceLifecycle, NewOnASetPdataReleasesThatBlockOnlyOnce) {
    Instance instance;
    void* stale = BrowserAlloc(24);
    instance.npp()->pdata = stale;
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    ASSERT_EQ(1u, Browser().freedBlocks.size());
    EXPECT_EQ(stale, Browser().freedBlocks[0]);
    EXPECT_EQ(nullptr, instance.npp()->pdata);
    EXPECT_TRUE(Browser().urls.empty());

    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, instance.Destroy());
    EXPECT_EQ(1u, Browser().freedBlocks.size());
}

TEST_F(InstanceLifecycle, NewOnAnAttachedInstanceTearsItDownFirst) {
    Frame frame;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    void* record = instance.npp()->pdata;
    Browser().Clear();

    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
    EXPECT_EQ(nullptr, instance.npp()->pdata);
    ASSERT_EQ(1u, Browser().freedBlocks.size());
    EXPECT_EQ(record, Browser().freedBlocks[0]);
    EXPECT_BROWSER_BAR(frame.bar());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(frame.plugin(), GWLP_WNDPROC));
    ChooseFromMenu(frame.hwnd(), 3001);
    EXPECT_TRUE(Browser().urls.empty());
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, instance.Destroy());
    EXPECT_EQ(1u, Browser().freedBlocks.size());
}

TEST_F(InstanceLifecycle, FileNameThatFitsIsTakenEvenEmptyLongerIsRefused) {
    const std::string fits(82, 'f');
    const std::string tooLong(83, 'g');
    const std::string wayTooLong(600, 'h');
    struct Case {
        const char* value;
        bool taken;
    } cases[] = {{fits.c_str(), true}, {tooLong.c_str(), false}, {wayTooLong.c_str(), false}, {"", true}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        Browser().Clear();
        Instance instance;
        ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", cases[i].value}, {"FileName", "mymenu.zbx"}}));
        InstanceData* data = instance.data();
        if (cases[i].taken) {
            EXPECT_STREQ(cases[i].value, data->fileName);
            EXPECT_EQ(0, data->ready);
            ASSERT_EQ(1u, Browser().urls.size());
            EXPECT_EQ(cases[i].value, Browser().urls[0].url);
        } else {
            EXPECT_STREQ("", data->fileName);
            EXPECT_EQ(1, data->ready);
            EXPECT_TRUE(Browser().urls.empty());
            // It asked for nothing, so it takes nothing.
            instance.StreamAsFile(DefinitionPath().c_str());
            EXPECT_TRUE(data->menus->definitionEntries.empty());
        }
        EXPECT_STREQ("instance->pdata", data->propName);
        EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy());
        EXPECT_EQ(0, Browser().overrunBlocks);
    }
}

TEST_F(InstanceLifecycle, BrowserDestroysThePluginWindowBeforeTheInstance) {
    Frame frame;
    Instance instance;
    NewWithDefinition(instance);
    ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
    SendMessageA(frame.plugin(), WM_PLUGIN_SELECT, 3001, 0);
    DestroyWindow(frame.plugin());
    PumpFor(120);
    EXPECT_TRUE(Browser().statuses.size() == 1);  // only " sURL "
    EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy());
    EXPECT_BROWSER_BAR(frame.bar());
    EXPECT_EQ(1u, Browser().freedBlocks.size());
}

TEST_F(InstanceLifecycle, ManyInstancesComeAndGo) {
    Frame frame;
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Instance instance;
        NewWithDefinition(instance);
        ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(frame.plugin()));
        ASSERT_EQ(6, GetMenuItemCount(frame.bar()));
        const MenuBarSet& set = *instance.data()->menus->bar;
        const auto menus = set.CreatedMenus();
        HBITMAP face = set.faceBitmap.get();
        HBITMAP divider = set.dividerBitmap.get();
        ASSERT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(face));
        ASSERT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(divider));
        ASSERT_EQ(NPERR_NO_ERROR, instance.Destroy());
        ASSERT_EQ(3, GetMenuItemCount(frame.bar()));
        EXPECT_EQ(0u, GetObjectType(face));
        EXPECT_EQ(0u, GetObjectType(divider));
        for (HMENU menu : menus)
            EXPECT_FALSE(IsMenu(menu));
    }
    EXPECT_TRUE(Browser().liveBlocks.empty());
}

}  // namespace

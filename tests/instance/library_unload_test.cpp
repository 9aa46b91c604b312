// The browser letting the library go (NP_Shutdown, FreeLibrary) while code
// of the library can still be reached: under the browser's subclass of the
// plug-in window, and inside the About box's modal loop. Each runs alone,
// since the library then stays loaded until the process ends.
#include <gtest/gtest.h>

#include "plugin/menus/command_ids.h"
#include "tests/entry/plugin_library.h"
#include "tests/instance/browser_stand_in.h"
#include "tests/instance/browser_subclass.h"
#include "tests/instance/run_alone.h"

using namespace instance_test;

namespace {

class LibraryUnload : public ::testing::Test {
protected:
    void SetUp() override { Browser().Clear(); }

    void Attach(Instance& instance, HWND hwnd) {
        ASSERT_EQ(NPERR_NO_ERROR, instance.New({{"filename", "mymenu.zbx"}}));
        instance.StreamAsFile(DefinitionPath().c_str());
        ASSERT_EQ(NPERR_NO_ERROR, instance.SetWindow(hwnd));
    }
};

TEST_F(LibraryUnload, FreedUnderTheBrowsersSubclass) {
    EXPECT_EQ(0u, RunAlone("LibraryUnload.DISABLED_AloneFreedUnderTheBrowsersSubclass"));
}

TEST_F(LibraryUnload, DISABLED_AloneFreedUnderTheBrowsersSubclass) {
    Frame frame;
    const HWND plugin = frame.plugin();
    {
        Instance first;
        Attach(first, plugin);
        BrowserSubclass browser(plugin);
        ASSERT_EQ(NPERR_NO_ERROR, first.Destroy());
        Instance second;
        Attach(second, plugin);
        ASSERT_EQ(NPERR_NO_ERROR, second.Destroy());
        ShutDownLibrary();
        EXPECT_NE(nullptr, GetModuleHandleA(PluginPath().c_str()));

        EXPECT_EACH_PROCEDURE_ONCE(plugin);
        Browser().Clear();
        SendMessageA(plugin, WM_PLUGIN_COMMAND, 3001, 0);
        EXPECT_TRUE(Browser().urls.empty());
        browser.Remove();
        EXPECT_EACH_PROCEDURE_ONCE(plugin);
    }
    // Ours left the chain at the first message after the browser's went.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(plugin, GWLP_WNDPROC));
}

TEST_F(LibraryUnload, FreedInsideTheAboutBox) {
    EXPECT_EQ(0u, RunAlone("LibraryUnload.DISABLED_AloneFreedInsideTheAboutBox"));
}

// What the browser does when its timer comes inside the box's modal loop:
// the page goes, the library is let go, and the user closes the box.
Instance* g_pageInstance = nullptr;
bool g_pageGone = false;

void CALLBACK PageGoes(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA("#32770", "About Zorbit");
    if (!box || g_pageGone)
        return;
    KillTimer(nullptr, timer);
    g_pageGone = true;
    EXPECT_EQ(NPERR_NO_ERROR, g_pageInstance->Destroy());
    ShutDownLibrary();
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TEST_F(LibraryUnload, DISABLED_AloneFreedInsideTheAboutBox) {
    Frame frame;
    Instance instance;
    Attach(instance, frame.plugin());
    g_pageInstance = &instance;
    SetTimer(nullptr, 0, 50, PageGoes);
    // Returns once the box is closed, through the library's code.
    SendMessageA(frame.plugin(), WM_PLUGIN_COMMAND, zorbit::kAboutCommand, 0);
    EXPECT_TRUE(g_pageGone);
    EXPECT_EQ(nullptr, FindWindowA("#32770", "About Zorbit"));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(frame.plugin(), GWLP_WNDPROC));
    EXPECT_EACH_PROCEDURE_ONCE(frame.plugin());
}

}  // namespace

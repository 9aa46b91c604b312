// Running out of memory inside the entry points and the plug-in window's
// procedure, in this process, whose operator new can be made to fail: each
// allocation of a call fails in turn, and the call fails as an allocation
// failure does instead of letting std::bad_alloc into the browser's code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "plugin/entry/browser_services.h"
#include "plugin/entry/entry_points.h"
#include "plugin/entry/instance_data.h"
#include "plugin/menubar/plugin_module.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "tests/support/files.h"
#include "tests/support/menu_items.h"
#include "tests/support/state_scopes.h"
#include "tests/support/test_windows.h"

namespace {
int g_allocationsBeforeFailure = -1;  // -1: none fails
bool g_failed = false;
}  // namespace

void* operator new(std::size_t size) {
    if (g_allocationsBeforeFailure == 0) {
        g_allocationsBeforeFailure = -1;
        g_failed = true;
        throw std::bad_alloc();
    }
    if (g_allocationsBeforeFailure > 0)
        --g_allocationsBeforeFailure;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

int g_liveBlocks = 0;

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override {
        browser_.version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
        browser_.geturl = [](NPP, const char*, const char*) -> NPError { return NPERR_NO_ERROR; };
        browser_.status = [](NPP, const char*) {};
        browser_.memalloc = [](uint32_t size) { return ++g_liveBlocks, std::malloc(size); };
        browser_.memfree = [](void* block) { --g_liveBlocks, std::free(block); };
        SetBrowserFuncs(&browser_);
        SetPluginModule(GetModuleHandleA(nullptr));
        support::WriteBytes(folder_ / "ZBIndex.ini", "[Bazrelle]\r\nHome=http://home.example/\r\n");
        definition_ = folder_ / "mymenu.zbx";
        support::WriteBytes(definition_, "<embed>\r\nTITLE \"Links\"\r\nMENUITEM \"One;http://one.example/\"\r\n");
        WriteProfileStringA("Zorbit", "ZorbitDir", folder_.Path().c_str());
        window_.window = frame_.AddPluginWindow();
        g_liveBlocks = 0;
    }
    void TearDown() override {
        NPP_Destroy(&npp_, nullptr);
        EXPECT_EQ(0, g_liveBlocks);
        SetBrowserFuncs(nullptr);
    }

    NPError New() {
        char type[] = "application/vnd.vantrel-zorbit";
        char* names[] = {const_cast<char*>("filename")};
        char* values[] = {const_cast<char*>("mymenu.zbx")};
        return NPP_New(type, &npp_, NP_EMBED, 1, names, values, nullptr);
    }
    void StreamAsFile() {
        NPStream stream{};
        NPP_StreamAsFile(&npp_, &stream, definition_.c_str());
    }
    InstanceData* data() { return static_cast<InstanceData*>(npp_.pdata); }
    HWND plugin() { return static_cast<HWND>(window_.window); }

    // The call with its first, second, ... allocation failing, until a run
    // needs no more; `check(failed)` judges each run.
    void FailEachAllocation(const std::function<void()>& call, const std::function<void(bool)>& check) {
        for (int n = 0; n < 1000; ++n) {
            SCOPED_TRACE("allocation " + std::to_string(n));
            g_failed = false;
            g_allocationsBeforeFailure = n;
            call();
            g_allocationsBeforeFailure = -1;
            check(g_failed);
            if (!g_failed) {
                EXPECT_GT(n, 0) << "the call allocates nothing";
                return;
            }
        }
    }

    NPNetscapeFuncs browser_{};
    NPP_t npp_{};
    NPWindow window_{};
    support::ZorbitProfileScope profile_;
    support::TempFolder folder_;
    support::Frame frame_;
    std::string definition_;
};

TEST_F(OutOfMemory, NewFailsWithOutOfMemoryAndKeepsNoRecord) {
    NPError result = NPERR_NO_ERROR;
    FailEachAllocation([&] { result = New(); },
                       [&](bool failed) {
                           EXPECT_EQ(failed ? NPERR_OUT_OF_MEMORY_ERROR : NPERR_NO_ERROR, result);
                           EXPECT_EQ(failed, npp_.pdata == nullptr);
                           EXPECT_EQ(failed ? 0 : 1, g_liveBlocks);
                       });
}

TEST_F(OutOfMemory, SetWindowLeavesNothingAttachedAndTheNextCallAttaches) {
    ASSERT_EQ(NPERR_NO_ERROR, New());
    StreamAsFile();
    NPError result = NPERR_NO_ERROR;
    const int menus = support::LiveMenuCount();
    FailEachAllocation([&] { result = NPP_SetWindow(&npp_, &window_); },
                       [&](bool failed) {
                           if (failed) {
                               EXPECT_EQ(menus, support::LiveMenuCount()) << "a menu was left behind";
                           }
                           EXPECT_EQ(failed ? NPERR_OUT_OF_MEMORY_ERROR : NPERR_NO_ERROR, result);
                           EXPECT_EQ(failed ? 3 : 6, GetMenuItemCount(frame_.bar()));
                           EXPECT_EQ(failed, GetWindowLongPtrA(plugin(), GWLP_WNDPROC) ==
                                                 reinterpret_cast<LONG_PTR>(support::PluginWindowClassProc()));
                           EXPECT_EQ(failed, GetPropA(plugin(), "instance->pdata") == nullptr);
                       });
}

TEST_F(OutOfMemory, StreamAsFileDropsTheDefinition) {
    ASSERT_EQ(NPERR_NO_ERROR, New());
    FailEachAllocation([&] { StreamAsFile(); },
                       [&](bool failed) {
                           EXPECT_EQ(failed ? 0 : 1, data()->ready);
                           EXPECT_EQ(failed ? 0u : 2u, data()->menus->definitionEntries.size());
                       });
}

TEST_F(OutOfMemory, WindowProcedureDropsTheMessage) {
    ASSERT_EQ(NPERR_NO_ERROR, New());
    StreamAsFile();
    ASSERT_EQ(NPERR_NO_ERROR, NPP_SetWindow(&npp_, &window_));
    FailEachAllocation([&] { EXPECT_EQ(0, SendMessageA(plugin(), WM_PLUGIN_SELECT, 3001, 0)); },
                       // The status timer runs only for a highlight that was taken.
                       [&](bool failed) { EXPECT_EQ(!failed, KillTimer(plugin(), 2) != FALSE); });
}

}  // namespace

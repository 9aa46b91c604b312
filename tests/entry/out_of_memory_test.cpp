// Running out of memory inside the entry points and the plug-in window's
// procedure, in this process, whose operator new can be made to fail: each
// allocation of a call fails in turn, and the call fails the way an
// allocation failure does instead of letting std::bad_alloc into the
// browser's code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "plugin/entry/browser_services.h"
#include "plugin/entry/entry_points.h"
#include "plugin/entry/instance_data.h"
#include "plugin/entry/plugin_module.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "tests/support/files.h"
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
void* MemAlloc(uint32_t size) {
    ++g_liveBlocks;
    return std::malloc(size);
}
void MemFree(void* block) {
    --g_liveBlocks;
    std::free(block);
}
NPError GetUrl(NPP, const char*, const char*) { return NPERR_NO_ERROR; }
void Status(NPP, const char*) {}

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override {
        browser_.version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
        browser_.geturl = GetUrl;
        browser_.status = Status;
        browser_.memalloc = MemAlloc;
        browser_.memfree = MemFree;
        SetBrowserFuncs(&browser_);
        SetPluginModule(GetModuleHandleA(nullptr));
        support::WriteBytes(folder_ / "ZBIndex.ini", "[Bazrelle]\r\nHome=http://home.example/\r\n");
        support::WriteBytes(folder_ / "mymenu.zbx",
                            "<embed>\r\nTITLE \"Links\"\r\nMENUITEM \"One;http://one.example/\"\r\nTITLE \"END\"\r\n");
        WriteProfileStringA("Zorbit", "ZorbitDir", folder_.Path().c_str());
        g_liveBlocks = 0;
        frame_.AddPluginWindow();
    }
    void TearDown() override {
        if (npp_.pdata)
            NPP_Destroy(&npp_, nullptr);
        EXPECT_EQ(0, g_liveBlocks);
        SetBrowserFuncs(nullptr);
    }

    NPError New(const char* fileName) {
        char type[] = "application/vnd.vantrel-zorbit";
        char* names[] = {const_cast<char*>("filename")};
        char* values[] = {const_cast<char*>(fileName)};
        return NPP_New(type, &npp_, NP_EMBED, fileName ? 1 : 0, names, values, nullptr);
    }
    InstanceData* data() { return static_cast<InstanceData*>(npp_.pdata); }

    // Runs the call with the n-th allocation from now failing, n = 0, 1, ...
    // until a run needs no more allocations than that; `check(n, failed)`
    // judges each run.
    template <typename Call, typename Check>
    void FailEachAllocation(Call call, Check check) {
        for (int n = 0; n < 1000; ++n) {
            g_failed = false;
            g_allocationsBeforeFailure = n;
            call();
            g_allocationsBeforeFailure = -1;
            check(n, g_failed);
            if (!g_failed) {
                EXPECT_GT(n, 0) << "a call that allocates nothing";
                return;
            }
        }
        ADD_FAILURE() << "a call that never ends allocating";
    }

    NPNetscapeFuncs browser_{};
    NPP_t npp_{};
    support::ZorbitProfileScope profile_;
    support::TempFolder folder_;
    support::Frame frame_;
};

TEST_F(OutOfMemory, NewFailsWithOutOfMemoryAndLeavesNothing) {
    NPError result = NPERR_NO_ERROR;
    FailEachAllocation([&] { result = New("mymenu.zbx"); },
                       [&](int n, bool failed) {
                           SCOPED_TRACE("allocation " + std::to_string(n));
                           if (!failed) {
                               EXPECT_EQ(NPERR_NO_ERROR, result);
                               EXPECT_EQ(1u, data()->menus->collectionEntries.size());
                               return;
                           }
                           EXPECT_EQ(NPERR_OUT_OF_MEMORY_ERROR, result);
                           EXPECT_EQ(nullptr, npp_.pdata);
                           EXPECT_EQ(0, g_liveBlocks);
                       });
}

TEST_F(OutOfMemory, SetWindowLeavesNothingAttachedAndTheNextCallAttaches) {
    ASSERT_EQ(NPERR_NO_ERROR, New(nullptr));
    NPWindow window{};
    window.window = frame_.plugin();
    NPError result = NPERR_NO_ERROR;
    FailEachAllocation([&] { result = NPP_SetWindow(&npp_, &window); },
                       [&](int n, bool failed) {
                           SCOPED_TRACE("allocation " + std::to_string(n));
                           if (!failed) {
                               EXPECT_EQ(NPERR_NO_ERROR, result);
                               EXPECT_EQ(3 + 2, GetMenuItemCount(frame_.bar()));  // no definition
                               EXPECT_NE(reinterpret_cast<LONG_PTR>(support::PluginWindowClassProc()),
                                         GetWindowLongPtrA(frame_.plugin(), GWLP_WNDPROC));
                               return;
                           }
                           EXPECT_EQ(NPERR_OUT_OF_MEMORY_ERROR, result);
                           EXPECT_EQ(3, GetMenuItemCount(frame_.bar()));
                           EXPECT_EQ(reinterpret_cast<LONG_PTR>(support::PluginWindowClassProc()),
                                     GetWindowLongPtrA(frame_.plugin(), GWLP_WNDPROC));
                           EXPECT_EQ(nullptr, GetPropA(frame_.plugin(), "instance->pdata"));
                           EXPECT_EQ(nullptr, data()->hwnd);
                       });
}

TEST_F(OutOfMemory, StreamAsFileDropsTheDefinition) {
    ASSERT_EQ(NPERR_NO_ERROR, New("mymenu.zbx"));
    const std::string path = folder_ / "mymenu.zbx";
    NPStream stream{};
    FailEachAllocation([&] { NPP_StreamAsFile(&npp_, &stream, path.c_str()); },
                       [&](int n, bool failed) {
                           SCOPED_TRACE("allocation " + std::to_string(n));
                           EXPECT_EQ(failed ? 0 : 1, data()->ready);
                           EXPECT_EQ(failed ? 0u : 2u, data()->menus->definitionEntries.size());
                       });
}

TEST_F(OutOfMemory, WindowProcedureDropsTheMessage) {
    ASSERT_EQ(NPERR_NO_ERROR, New("mymenu.zbx"));
    NPStream stream{};
    NPP_StreamAsFile(&npp_, &stream, (folder_ / "mymenu.zbx").c_str());
    NPWindow window{};
    window.window = frame_.plugin();
    ASSERT_EQ(NPERR_NO_ERROR, NPP_SetWindow(&npp_, &window));
    LRESULT result = -1;
    FailEachAllocation([&] { result = SendMessageA(frame_.plugin(), WM_PLUGIN_SELECT, 3001, 0); },
                       [&](int n, bool failed) {
                           SCOPED_TRACE("allocation " + std::to_string(n));
                           EXPECT_EQ(0, result);
                           // The status timer runs only for a highlight that was taken.
                           EXPECT_EQ(!failed, KillTimer(frame_.plugin(), 2) != FALSE);
                       });
}

}  // namespace

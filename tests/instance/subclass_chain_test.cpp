// The plug-in window's procedure chain when the browser subclasses the
// window too, before or after the plug-in, and takes its subclass off again
// at any point; instances re-attaching to a window they were on.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "plugin/menus/command_ids.h"
#include "tests/instance/browser_stand_in.h"
#include "tests/instance/browser_subclass.h"
#include "tests/instance/run_alone.h"

using namespace instance_test;

namespace {

class SubclassChain : public ::testing::Test {
protected:
    void SetUp() override { Browser().Clear(); }
};

// The attached instance's window object takes a command sent to the window.
void ExpectCommandTaken(HWND hwnd, int line) {
    SCOPED_TRACE("from line " + std::to_string(line));
    Browser().urls.clear();
    SendMessageA(hwnd, WM_PLUGIN_COMMAND, 3001, 0);
    ASSERT_EQ(1u, Browser().urls.size());
    EXPECT_EQ("http://one.example/", Browser().urls[0].url);
}

// Alone: the library stays loaded for the browser's subclasses.
TEST_F(SubclassChain, EveryProcedureOnceWhateverTheOrder) {
    EXPECT_EQ(0u, RunAlone("SubclassChain.DISABLED_AloneEveryProcedureOnce"));
}

TEST_F(SubclassChain, DISABLED_AloneEveryProcedureOnce) {
    // N a new instance attaches to window A; D it is destroyed; B it moves
    // to window B, A back to A; S the browser subclasses A; U the browser
    // takes its subclass off A.
    const char* cases[] = {
        "NSDNUD",  // a new instance under the browser's subclass
        "NSDNDU",
        "NSBAUD",  // one instance A, B, A under the browser's subclass
        "NSBADU",
        "NSDUND",
        "NSUD",
        "SNDU",    // the browser's subclass first
        "SNUD",    // the browser cuts ours out while attached
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i]);
        Frame frame;
        const HWND a = frame.plugin();
        const HWND b = frame.AddPluginWindow();
        std::unique_ptr<BrowserSubclass> browser;
        std::unique_ptr<Instance> instance;
        for (const char* step = cases[i]; *step; ++step) {
            SCOPED_TRACE(std::string("after step ") + *step);
            switch (*step) {
            case 'N':
                instance = std::make_unique<Instance>();
                ASSERT_EQ(NPERR_NO_ERROR, instance->New({{"filename", "mymenu.zbx"}}));
                instance->StreamAsFile(DefinitionPath().c_str());
                ASSERT_EQ(NPERR_NO_ERROR, instance->SetWindow(a));
                ExpectCommandTaken(a, __LINE__);
                break;
            case 'D':
                ASSERT_EQ(NPERR_NO_ERROR, instance->Destroy());
                instance.reset();
                break;
            case 'B':
                ASSERT_EQ(NPERR_NO_ERROR, instance->SetWindow(b));
                EXPECT_EACH_PROCEDURE_ONCE(b);
                break;
            case 'A':
                ASSERT_EQ(NPERR_NO_ERROR, instance->SetWindow(a));
                ExpectCommandTaken(a, __LINE__);
                break;
            case 'S':
                browser = std::make_unique<BrowserSubclass>(a);
                break;
            case 'U':
                browser->Remove();
                break;
            }
            EXPECT_EACH_PROCEDURE_ONCE(a);
        }
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(a, GWLP_WNDPROC));
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(PluginWindowClassProc()), GetWindowLongPtrA(b, GWLP_WNDPROC));
    }
    ShutDownLibrary();
}

}  // namespace

// A browser frame made in this process through zorbit_browser, hosting the
// recording plug-in from a scratch "Plugins" folder. Checks the windows, the
// menu bar and status bar, and what the plug-in was called with.
#include <gtest/gtest.h>

#include <memory>

#include "tests/browser/browser_test_support.h"
#include "tools/browser/browser_frame.h"

using namespace browser_test;
using zorbit::browser::BrowserFrame;
using zorbit::browser::BrowserOptions;

namespace {

const char kTestType[] = "application/x-zorbit-test";

class BrowserFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeDir(dir_ / "Plugins");
        MakeDir(dir_ / "site");
        ASSERT_TRUE(CopyInto(BinDir() + "\\npzbtest.dll", pluginPath()));
        // Not a library at all: passed over when the folder is read.
        WriteTextFile(dir_ / "Plugins\\broken.dll", "MZ");
        pluginLog_ = dir_ / "plugin.log";
        browserLog_ = dir_ / "browser.log";
        SetEnvironmentVariableA("ZORBIT_TEST_PLUGIN_LOG", pluginLog_.c_str());
    }
    void TearDown() override {
        if (frame_) frame_->Close();
        frame_.reset();
        SetEnvironmentVariableA("ZORBIT_TEST_PLUGIN_LOG", nullptr);
    }

    std::string pluginPath() const { return dir_ / "Plugins\\npzbtest.dll"; }
    std::string site(const std::string& name) const { return dir_ / ("site\\" + name); }

    void WritePage(const std::string& name, const std::string& title, const std::string& body) {
        WriteTextFile(site(name), "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>");
    }

    // Opens the page in a new frame and waits until the page's work is done.
    void Open(const std::string& name) {
        BrowserOptions options;
        options.pluginDir = dir_ / "Plugins";
        options.logFile = browserLog_;
        options.quitOnClose = false;
        frame_ = std::make_unique<BrowserFrame>(options);
        ASSERT_TRUE(frame_->Create(SW_SHOWNORMAL));
        ASSERT_TRUE(frame_->OpenPage(site(name)));
        PumpFor(200);
    }

    std::vector<std::string> pluginLines() const { return ReadLines(pluginLog_); }
    std::vector<std::string> browserLines() const { return ReadLines(browserLog_); }
    bool WaitPlugin(const std::string& line, bool prefix = false) {
        return PumpUntil([&] { return FileHasLine(pluginLog_, line, prefix); });
    }
    bool WaitBrowser(const std::string& line, bool prefix = false) {
        return PumpUntil([&] { return FileHasLine(browserLog_, line, prefix); });
    }
    HWND pluginWindow() const { return FindDescendant(frame_->hwnd(), "ZorbitPluginWindow"); }

    ScratchDir dir_;
    std::string pluginLog_;
    std::string browserLog_;
    std::unique_ptr<BrowserFrame> frame_;
};

std::string MenuString(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(BrowserFrameTest, FrameHasMenuBarStatusBarTitleAndPageText) {
    WritePage("page.htm", "Menu Page", "<h1>Welcome</h1><p>Some text.</p>");
    Open("page.htm");
    HWND frame = frame_->hwnd();
    EXPECT_EQ("Menu Page - Zorbit Browser", WindowText(frame));
    EXPECT_EQ(std::string::npos, WindowText(frame).find("Microsoft Internet Explorer"));

    HMENU bar = GetMenu(frame);
    ASSERT_TRUE(bar != nullptr);
    static const char* kTitles[] = {"&File", "&Edit", "&View", "&Go", "&Help"};
    ASSERT_EQ(5, GetMenuItemCount(bar));
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kTitles[i], MenuString(bar, i));
        EXPECT_TRUE(GetSubMenu(bar, i) != nullptr);
    }
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ("&Open...\tCtrl+O", MenuString(file, 0));
    EXPECT_EQ("E&xit", MenuString(file, GetMenuItemCount(file) - 1));
    EXPECT_EQ("&Back\tAlt+Left", MenuString(GetSubMenu(bar, 3), 0));
    EXPECT_EQ("&About Zorbit Browser", MenuString(GetSubMenu(bar, 4), 0));

    HWND status = frame_->statusBar();
    EXPECT_EQ("msctls_statusbar32", ClassName(status));
    EXPECT_EQ(frame, GetParent(status));
    EXPECT_EQ("Done", WindowText(status));
    HWND text = FindDescendant(frame, "Edit");
    ASSERT_TRUE(text != nullptr);
    EXPECT_EQ("Welcome\r\n\r\nSome text.", WindowText(text));
    EXPECT_TRUE(HasLine(browserLines(), "open " + site("page.htm")));

    // File > Exit closes the frame the way the window's close box does.
    PostMessageA(frame, WM_COMMAND, zorbit::browser::kCmdExit, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
    EXPECT_TRUE(HasLine(browserLines(), "close"));
}

TEST_F(BrowserFrameTest, InstanceGetsAttributesAsWrittenInAWindowThreeLevelsDown) {
    WritePage("page.htm", "Embed",
              "<EMBED type=\"application/x-zorbit-test\" Name=Alpha FileName='menu one.zbx' width=300 height=\"120\" "
              "flag>");
    Open("page.htm");
    ASSERT_TRUE(WaitPlugin("NPP_SetWindow", true));
    std::vector<std::string> lines = pluginLines();
    std::vector<std::string> expected = {
        "attach",
        "NP_GetEntryPoints",
        "NP_Initialize version=9",
        "NPP_New type=application/x-zorbit-test mode=1 argc=6",
        "arg type=application/x-zorbit-test",
        "arg Name=Alpha",
        "arg FileName=menu one.zbx",
        "arg width=300",
        "arg height=120",
        "arg flag=",
        "NPP_New done",
        "NPP_SetWindow depth=3 size=300x120 client=300x120",
    };
    EXPECT_EQ(expected, lines);

    HWND plugin = pluginWindow();
    ASSERT_TRUE(plugin != nullptr);
    HWND content = GetParent(plugin);
    HWND pageView = GetParent(content);
    EXPECT_EQ("ZorbitContent", ClassName(content));
    EXPECT_EQ("ZorbitPageView", ClassName(pageView));
    EXPECT_EQ(frame_->hwnd(), GetParent(pageView));
    EXPECT_TRUE(GetParent(frame_->hwnd()) == nullptr);
    EXPECT_TRUE(HasLine(browserLines(), "newp 1 application/x-zorbit-test argc=6 type=\"application/x-zorbit-test\" "
                                        "Name=\"Alpha\" FileName=\"menu one.zbx\" width=\"300\" height=\"120\" "
                                        "flag=\"\" result=0"));
}

TEST_F(BrowserFrameTest, SetWindowAgainOnResize) {
    WritePage("page.htm", "Resize", "<embed type=application/x-zorbit-test width=50% height=40>");
    Open("page.htm");
    ASSERT_EQ(1u, LinesStartingWith(pluginLines(), "NPP_SetWindow").size());
    HWND frame = frame_->hwnd();
    RECT r;
    GetWindowRect(frame, &r);
    SetWindowPos(frame, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    PumpFor(100);
    std::vector<std::string> calls = LinesStartingWith(pluginLines(), "NPP_SetWindow");
    ASSERT_GE(calls.size(), 2u);
    RECT content;
    GetClientRect(frame_->content(), &content);
    std::string width = std::to_string((content.right - 16) / 2);
    EXPECT_EQ("NPP_SetWindow depth=3 size=" + width + "x40 client=" + width + "x40", calls.back());
    RECT pluginRect;
    GetClientRect(pluginWindow(), &pluginRect);
    EXPECT_EQ((content.right - 16) / 2, pluginRect.right);
}

TEST_F(BrowserFrameTest, NullTargetGetUrlArrivesAsFileStreamInPiecesAfterNew) {
    MakeDir(site("data"));
    std::string data(2500, 'x');
    WriteTextFile(site("data\\menu.zbx"), data);
    WritePage("page.htm", "Stream",
              "<embed type=application/x-zorbit-test geturl=\"sub/../data/menu.zbx\" writeready=1000>");
    Open("page.htm");
    ASSERT_TRUE(WaitPlugin("NPP_DestroyStream reason=0"));
    PumpFor(100);
    std::vector<std::string> lines = pluginLines();
    int start = IndexOf(lines, "NPP_New done");
    ASSERT_GE(start, 0);
    std::vector<std::string> tail(lines.begin() + start, lines.end());
    std::string path = site("data\\menu.zbx");
    std::string url = "file:///";
    for (char c : path) url += c == '\\' ? '/' : c;
    std::vector<std::string> expected = {
        "NPP_New done",
        "NPP_SetWindow depth=3 size=240x120 client=240x120",
        "NPP_NewStream url=" + url + " type=application/octet-stream end=2500",
        "NPP_WriteReady 1000",
        "NPP_Write offset=0 len=1000",
        "NPP_WriteReady 1000",
        "NPP_Write offset=1000 len=1000",
        "NPP_WriteReady 1000",
        "NPP_Write offset=2000 len=500",
        "NPP_StreamAsFile " + path + " exists=1",
        "NPP_DestroyStream reason=0",
        "NPP_SetWindow depth=3 size=240x120 client=240x120",
    };
    EXPECT_EQ(expected, tail);
    EXPECT_TRUE(HasLine(lines, "geturl result=0"));
    std::vector<std::string> log = browserLines();
    EXPECT_TRUE(HasLine(log, "geturl sub/../data/menu.zbx target=(null)"));
    EXPECT_TRUE(HasLine(log, "asfile 1 " + path));
}

TEST_F(BrowserFrameTest, StreamTypesAndSource) {
    WriteTextFile(site("own.zbt"), "abc");
    // NP_NORMAL: data only; NP_ASFILEONLY: the file only. The "src" arrives by itself.
    WritePage("page.htm", "Types",
              "<embed src=own.zbt stype=1 width=10 height=10><embed type=application/x-zorbit-test src=own.zbt "
              "stype=4 width=10 height=10>");
    Open("page.htm");
    ASSERT_TRUE(PumpUntil([&] { return LinesStartingWith(pluginLines(), "NPP_DestroyStream").size() == 2; }));
    std::vector<std::string> lines = pluginLines();
    // Found by the extension of "src" alone, and given the type that goes with it.
    EXPECT_TRUE(HasLine(lines, "NPP_New type=application/x-zorbit-test mode=1 argc=4"));
    EXPECT_EQ(1u, LinesStartingWith(lines, "NPP_Write ").size());
    EXPECT_EQ(1u, LinesStartingWith(lines, "NPP_StreamAsFile").size());
    EXPECT_EQ(2u, LinesStartingWith(lines, "NPP_NewStream url=").size());
    EXPECT_EQ(1u, LinesStartingWith(lines, "NP_Initialize").size());
    EXPECT_EQ(1u, LinesStartingWith(lines, "attach").size());
}

TEST_F(BrowserFrameTest, TargetNavigationReplacesTheInstances) {
    static const char* kTargets[] = {"Vantrel_Content", "_top", "_self", "_blank"};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        DeleteFileA(pluginLog_.c_str());
        WritePage("next.htm", "Next Page", "<embed type=application/x-zorbit-test name=second>");
        WritePage("page.htm", "First Page",
                  std::string("<embed type=application/x-zorbit-test name=first navigate=next.htm target=") +
                      kTargets[i] + ">");
        Open("page.htm");
        HWND firstWindow = pluginWindow();
        ASSERT_TRUE(firstWindow != nullptr);
        // As a menu command reaches the plug-in: a message to its window.
        PostMessageA(firstWindow, WM_USER + 10, 0, 0);
        ASSERT_TRUE(WaitPlugin("arg name=second"));
        PumpFor(100);
        std::vector<std::string> lines = pluginLines();
        int command = IndexOf(lines, "command geturl result=0");
        int destroy = IndexOf(lines, "NPP_Destroy");
        int second = IndexOf(lines, "arg name=second");
        ASSERT_GE(command, 0);
        EXPECT_GT(destroy, command);
        EXPECT_GT(second, destroy);
        EXPECT_EQ("Next Page - Zorbit Browser", WindowText(frame_->hwnd()));
        EXPECT_FALSE(IsWindow(firstWindow));
        EXPECT_TRUE(pluginWindow() != nullptr);
        std::vector<std::string> log = browserLines();
        EXPECT_TRUE(HasLine(log, std::string("navigate next.htm target=") + kTargets[i]));
        EXPECT_TRUE(HasLine(log, "open " + site("next.htm")));
        frame_->Close();
        frame_.reset();
        DeleteFileA(browserLog_.c_str());
    }
}

TEST_F(BrowserFrameTest, NavigationAskedForInsideNewWaitsUntilNewHasReturned) {
    WritePage("next.htm", "Next Page", "<p>plain</p>");
    WritePage("page.htm", "First Page",
              "<embed type=application/x-zorbit-test navigate=\"file:///" + site("next.htm") +
                  "\" target=_top navigatenow>");
    Open("page.htm");
    ASSERT_TRUE(WaitPlugin("NPP_Destroy"));
    std::vector<std::string> lines = pluginLines();
    EXPECT_LT(IndexOf(lines, "NPP_New done"), IndexOf(lines, "NPP_Destroy"));
    EXPECT_LT(IndexOf(lines, "NPP_SetWindow", true), IndexOf(lines, "NPP_Destroy"));
    EXPECT_EQ("Next Page - Zorbit Browser", WindowText(frame_->hwnd()));
    // The library stays loaded for later pages; it is shut down when the browser closes.
    EXPECT_FALSE(HasLine(lines, "NP_Shutdown"));
}

TEST_F(BrowserFrameTest, GoBackAndForwardReloadThePages) {
    WritePage("next.htm", "Next Page", "<embed type=application/x-zorbit-test name=second>");
    WritePage("page.htm", "First Page", "<embed type=application/x-zorbit-test name=first navigate=next.htm target=_top>");
    Open("page.htm");
    PostMessageA(pluginWindow(), WM_USER + 10, 0, 0);
    ASSERT_TRUE(WaitPlugin("arg name=second"));
    HWND frame = frame_->hwnd();
    PostMessageA(frame, WM_COMMAND, zorbit::browser::kCmdBack, 0);
    ASSERT_TRUE(PumpUntil([&] { return LinesStartingWith(pluginLines(), "arg name=first").size() == 2; }));
    EXPECT_EQ("First Page - Zorbit Browser", WindowText(frame));
    PostMessageA(frame, WM_COMMAND, zorbit::browser::kCmdForward, 0);
    ASSERT_TRUE(PumpUntil([&] { return LinesStartingWith(pluginLines(), "arg name=second").size() == 2; }));
    EXPECT_EQ("Next Page - Zorbit Browser", WindowText(frame));
    EXPECT_EQ(3u, LinesStartingWith(pluginLines(), "NPP_Destroy").size());
}

TEST_F(BrowserFrameTest, APageThatKeepsNavigatingStillCloses) {
    WritePage("page.htm", "Loop", "<embed type=application/x-zorbit-test navigate=page.htm target=_self navigatenow>");
    BrowserOptions options;
    options.pluginDir = dir_ / "Plugins";
    options.logFile = browserLog_;
    options.quitOnClose = false;
    frame_ = std::make_unique<BrowserFrame>(options);
    ASSERT_TRUE(frame_->Create(SW_SHOWNORMAL));
    ASSERT_TRUE(frame_->OpenPage(site("page.htm")));
    HWND frame = frame_->hwnd();
    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
    std::vector<std::string> lines = pluginLines();
    EXPECT_GE(LinesStartingWith(lines, "NPP_New done").size(), 2u);
    EXPECT_EQ(LinesStartingWith(lines, "NPP_New done").size(), LinesStartingWith(lines, "NPP_Destroy").size());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("detach free", lines.back());
}

TEST_F(BrowserFrameTest, RemoteAddressesAreOnlyLogged) {
    WritePage("page.htm", "Remote",
              "<embed type=application/x-zorbit-test geturl=http://example.com/menu.zbx "
              "navigate=https://example.com/ target=_top navigatenow>");
    Open("page.htm");
    PumpFor(200);
    std::vector<std::string> lines = pluginLines();
    EXPECT_TRUE(HasLine(lines, "geturl result=1"));
    EXPECT_TRUE(HasLine(lines, "navigate result=1"));
    EXPECT_EQ(-1, IndexOf(lines, "NPP_NewStream", true));
    EXPECT_EQ(-1, IndexOf(lines, "NPP_Destroy"));
    std::vector<std::string> log = browserLines();
    std::vector<std::string> expected = {
        "geturl http://example.com/menu.zbx target=(null)",
        "remote http://example.com/menu.zbx",
        "navigate https://example.com/ target=_top",
        "remote https://example.com/",
    };
    int start = IndexOf(log, "geturl", true);
    ASSERT_GE(start, 0);
    ASSERT_GE(log.size(), start + expected.size());
    EXPECT_EQ(expected, std::vector<std::string>(log.begin() + start, log.begin() + start + expected.size()));
    EXPECT_EQ("Remote - Zorbit Browser", WindowText(frame_->hwnd()));
}

TEST_F(BrowserFrameTest, StatusTextGoesToTheStatusBar) {
    WritePage("page.htm", "Status", "<embed type=application/x-zorbit-test status=\" sURL \">");
    Open("page.htm");
    EXPECT_EQ(" sURL ", WindowText(frame_->statusBar()));
    EXPECT_TRUE(HasLine(browserLines(), "status  sURL "));
}

TEST_F(BrowserFrameTest, CloseDestroysInstancesThenShutsDownAndFreesTheLibrary) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        DeleteFileA(pluginLog_.c_str());
        WritePage("page.htm", "Close",
                  "<embed type=application/x-zorbit-test><embed type=application/x-zorbit-other>"
                  "<embed type=application/x-unknown>");
        Open("page.htm");
        EXPECT_TRUE(GetModuleHandleA(pluginPath().c_str()) != nullptr);
        frame_->Close();
        frame_.reset();
        std::vector<std::string> lines = pluginLines();
        ASSERT_GE(lines.size(), 4u);
        std::vector<std::string> last(lines.end() - 4, lines.end());
        EXPECT_EQ((std::vector<std::string>{"NPP_Destroy", "NPP_Destroy", "NP_Shutdown", "detach free"}), last);
        EXPECT_TRUE(GetModuleHandleA(pluginPath().c_str()) == nullptr);
        std::vector<std::string> log = browserLines();
        EXPECT_TRUE(HasLine(log, "noplugin application/x-unknown"));
        EXPECT_EQ(1u, LinesStartingWith(log, "plugin ").size());
        EXPECT_EQ(1u, LinesStartingWith(log, "load ").size());
        EXPECT_TRUE(HasLine(log, "shutdown result=0"));
        EXPECT_TRUE(HasLine(log, "unload " + pluginPath()));
        DeleteFileA(browserLog_.c_str());
    }
}

}  // namespace

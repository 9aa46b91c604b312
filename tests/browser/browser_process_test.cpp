// browser.exe started as its own process, the way the installer and a user
// start it: under another name in a fake Internet Explorer folder with the
// plug-in in "Plugins" beside it, or with -plugins and -log on its command line.
#include <gtest/gtest.h>

#include "tests/browser/browser_test_support.h"

using namespace browser_test;

namespace {

struct FoundWindow {
    DWORD processId;
    HWND hwnd;
};

BOOL CALLBACK FindFrame(HWND hwnd, LPARAM lParam) {
    auto* found = reinterpret_cast<FoundWindow*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->processId && ClassName(hwnd) == "ZorbitBrowserFrame") {
        found->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

class BrowserProcess {
public:
    // Starts the command line from the given directory.
    bool Start(const std::string& commandLine, const std::string& currentDir) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string line = commandLine;
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, currentDir.c_str(), &si, &pi_))
            return false;
        FoundWindow found = {pi_.dwProcessId, nullptr};
        PumpUntil([&] {
            EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&found));
            return found.hwnd != nullptr;
        }, 15000);
        frame_ = found.hwnd;
        return frame_ != nullptr;
    }
    ~BrowserProcess() {
        if (pi_.hProcess) {
            if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
            CloseHandle(pi_.hProcess);
            CloseHandle(pi_.hThread);
        }
    }
    HWND frame() const { return frame_; }
    // Closes the frame with WM_CLOSE and waits for the process; its exit code or -1.
    int Close() {
        PostMessageA(frame_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 15000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    PROCESS_INFORMATION pi_ = {};
    HWND frame_ = nullptr;
};

class BrowserProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        pluginLog_ = dir_ / "plugin.log";
        browserLog_ = dir_ / "browser.log";
        SetEnvironmentVariableA("ZORBIT_TEST_PLUGIN_LOG", pluginLog_.c_str());
        MakeDir(dir_ / "Internet Explorer");
        MakeDir(dir_ / "Internet Explorer\\Plugins");
        MakeDir(dir_ / "My Site");
        ASSERT_TRUE(CopyInto(BinDir() + "\\browser.exe", ie("iexplore.exe")));
        ASSERT_TRUE(CopyInto(BinDir() + "\\npzbtest.dll", ie("Plugins\\npzbtest.dll")));
        WriteTextFile(dir_ / "My Site\\menu.zbx", "TITLE \"x\"\r\n");
        WriteTextFile(page(),
                      "<html><head><title>Start Page</title></head><body><p>Hello.</p>"
                      "<embed type=\"application/x-zorbit-test\" filename=\"menu.zbx\" geturl=\"menu.zbx\" "
                      "status=\"Plug-in ready\" width=\"2\" height=\"2\"></body></html>");
    }
    void TearDown() override {
        SetEnvironmentVariableA("ZORBIT_TEST_PLUGIN_LOG", nullptr);
        SetEnvironmentVariableA("ZORBIT_BROWSER_LOG", nullptr);
    }
    std::string ie(const std::string& name) const { return dir_ / ("Internet Explorer\\" + name); }
    std::string page() const { return dir_ / "My Site\\Start Page.htm"; }

    // Runs the browser, waits until the plug-in has its file and its window
    // again, checks the frame and closes it.
    void RunAndClose(const std::string& commandLine) {
        BrowserProcess browser;
        ASSERT_TRUE(browser.Start(commandLine, dir_.path())) << commandLine;
        ASSERT_TRUE(PumpUntil([&] { return LinesStartingWith(ReadLines(pluginLog_), "NPP_SetWindow").size() >= 2; },
                              15000));
        EXPECT_EQ("Start Page - Zorbit Browser", WindowText(browser.frame()));
        HWND status = FindDescendant(browser.frame(), "msctls_statusbar32");
        ASSERT_TRUE(status != nullptr);
        EXPECT_EQ("Plug-in ready", WindowText(status));
        HWND plugin = FindDescendant(browser.frame(), "ZorbitPluginWindow");
        ASSERT_TRUE(plugin != nullptr);
        EXPECT_EQ(browser.frame(), GetAncestor(plugin, GA_ROOT));
        CheckMenuBarDump(browser.frame());
        EXPECT_EQ(0, browser.Close());
        std::vector<std::string> lines = ReadLines(pluginLog_);
        EXPECT_TRUE(HasLine(lines, "NPP_StreamAsFile " + dir_ / "My Site\\menu.zbx exists=1"));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ((std::vector<std::string>{"NPP_Destroy", "NP_Shutdown", "detach free"}),
                  std::vector<std::string>(lines.end() - 3, lines.end()));
    }

    // Menus of another process cannot be read here; the browser writes its
    // bar into its log when asked.
    void CheckMenuBarDump(HWND frame) {
        SendMessageA(frame, RegisterWindowMessageA("ZorbitBrowserDumpMenuBar"), 0, 0);
        std::vector<std::string> log = ReadLines(browserLog_);
        int begin = IndexOf(log, "menubar begin");
        int end = IndexOf(log, "menubar end");
        ASSERT_GE(begin, 0);
        ASSERT_GT(end, begin);
        std::vector<std::string> bar;
        for (int i = begin + 1; i < end; ++i) {
            if (log[i].find('.') == std::string::npos) bar.push_back(log[i]);
        }
        static const char* kTitles[] = {"&File", "&Edit", "&View", "&Go", "&Help"};
        ASSERT_EQ(5u, bar.size());
        for (size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            std::string tail = std::string(" type=0 popup=1 bitmap=0 text=") + kTitles[i];
            std::string head = "menuitem " + std::to_string(i) + " id=";
            EXPECT_EQ(head, bar[i].substr(0, head.size()));
            ASSERT_GE(bar[i].size(), tail.size());
            EXPECT_EQ(tail, bar[i].substr(bar[i].size() - tail.size()));
        }
        EXPECT_TRUE(HasLine(log, "menuitem 0.0 id=1001 type=0 popup=0 bitmap=0 text=&Open...\tCtrl+O"));
        EXPECT_TRUE(HasLine(log, "menuitem 0.1 id=0 type=800 popup=0 bitmap=0 text="));
        EXPECT_TRUE(HasLine(log, "menuitem 4.0 id=1041 type=0 popup=0 bitmap=0 text=&About Zorbit Browser"));
    }

    ScratchDir dir_;
    std::string pluginLog_;
    std::string browserLog_;
};

TEST_F(BrowserProcessTest, FindsPluginsBesideItsExeUnderAnyNameAndTakesThePageInAnyForm) {
    std::string fileUrl = "file:///";
    for (char c : page()) fileUrl += c == '\\' ? '/' : c;
    std::string fileUrlBar = fileUrl;
    fileUrlBar[9] = '|';
    const std::string exe = "\"" + ie("iexplore.exe") + "\"";
    const std::string kLines[] = {
        exe + " \"" + page() + "\"",
        exe + " " + page(),
        exe + " " + fileUrl,
        exe + " \"" + fileUrlBar + "\"",
        exe + " \"My Site\\Start Page.htm\"",
    };
    SetEnvironmentVariableA("ZORBIT_BROWSER_LOG", browserLog_.c_str());
    for (size_t i = 0; i < sizeof kLines / sizeof kLines[0]; ++i) {
        SCOPED_TRACE(i);
        DeleteFileA(pluginLog_.c_str());
        DeleteFileA(browserLog_.c_str());
        RunAndClose(kLines[i]);
        std::vector<std::string> log = ReadLines(browserLog_);
        EXPECT_TRUE(HasLine(log, "start " + ie("iexplore.exe") + " plugins=" + ie("Plugins")));
        EXPECT_TRUE(HasLine(log, "open " + page()));
        EXPECT_TRUE(HasLine(log, "status Plug-in ready"));
        EXPECT_EQ("close", log.empty() ? "" : log.back());
    }
}

TEST_F(BrowserProcessTest, PluginFolderAndLogFromTheCommandLine) {
    MakeDir(dir_ / "bare");
    MakeDir(dir_ / "other plugins");
    ASSERT_TRUE(CopyInto(BinDir() + "\\browser.exe", dir_ / "bare\\browser.exe"));
    ASSERT_TRUE(CopyInto(BinDir() + "\\npzbtest.dll", dir_ / "other plugins\\npzbtest.dll"));
    RunAndClose("\"" + (dir_ / "bare\\browser.exe") + "\" -plugins \"other plugins\" -log \"" + browserLog_ + "\" \"" +
                page() + "\"");
    std::vector<std::string> log = ReadLines(browserLog_);
    EXPECT_TRUE(HasLine(log, "plugin " + (dir_ / "other plugins\\npzbtest.dll") +
                                 " types=application/x-zorbit-other|application/x-zorbit-test"));
    EXPECT_TRUE(HasLine(log, "geturl menu.zbx target=(null)"));
    EXPECT_TRUE(HasLine(log, "unload " + (dir_ / "other plugins\\npzbtest.dll")));
}

}  // namespace

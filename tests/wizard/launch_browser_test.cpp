// The browser started after Finish.
#include <gtest/gtest.h>

#include <string>

#include "installer/wizard/install_app.h"
#include "installer/wizard/launch_browser.h"
#include "installer/wizard/main_sheet.h"
#include "tests/wizard/wizard_driver.h"

TEST(LaunchBrowser, BuildsTheQuotedCommand) {
    struct Case {
        const char* pluginPath;
        int choice;
        const char* startDirectory;
        const char* command;
    } cases[] = {
        {"C:\\Netscape\\Program\\Plugins\\npzrbit.dll", 0, "D:\\Setup",
         "\"C:\\Netscape\\Program\\netscape.exe\" \"D:\\Setup\\BatchBM.htm\""},
        {"C:\\Browser\\PLUGINS\\npzrbit.dll", 2, "D:\\Setup",
         "\"C:\\Browser\\iexplore.exe\" \"D:\\Setup\\BatchBM.htm\""},
        {"C:\\Program Files\\IE\\Plugins\\npzrbit.dll", 1, "D:\\Setup",
         "\"C:\\Program Files\\IE\\iexplore.exe\" \"D:\\Setup\\BatchBM.htm\""},
        {"C:\\A\\plugins\\B\\Plugins\\npzrbit.dll", 1, "D:\\Setup", "\"C:\\A\\iexplore.exe\" \"D:\\Setup\\BatchBM.htm\""},
        {"C:\\Browser\\Plugins\\npzrbit.dll", 2, "D:\\My Setup Files",
         "\"C:\\Browser\\iexplore.exe\" \"D:\\My Setup Files\\BatchBM.htm\""},
        {"C:\\Browser\\Plugins\\npzrbit.dll", 2, "\\\\server\\share",
         "\"C:\\Browser\\iexplore.exe\" \"\\\\server\\share\\BatchBM.htm\""},
        {"C:\\Browser\\Plugins\\npzrbit.dll", 0, "C:\\", "\"C:\\Browser\\netscape.exe\" \"C:\\\\BatchBM.htm\""},
        {"C:\\Other\\npzrbit.dll", 2, "D:\\Setup", ""},
        {"", 2, "D:\\Setup", ""},
        {"C:\\Browser\\Plugins\\npzrbit.dll", 2, "", ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i);
        EXPECT_EQ(c.command, BuildBrowserCommand(c.pluginPath, c.choice, c.startDirectory));
    }
}

namespace {

// A browser folder in the scratch directory holding the stand-in as
// iexplore.exe, and where it reports.
std::string StandInBrowser(const ScratchDirectory& scratch) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder = self;
    folder.erase(folder.find_last_of('\\') + 1);
    std::string browser = scratch.File("Browser");
    CreateDirectoryA(browser.c_str(), nullptr);
    CreateDirectoryA((browser + "\\Plugins").c_str(), nullptr);
    EXPECT_TRUE(CopyFileA((folder + "wizard_stand_in_browser.exe").c_str(), (browser + "\\iexplore.exe").c_str(), FALSE));
    return browser;
}

std::string WaitForLaunch(const std::string& browser, int milliseconds) {
    std::string report = browser + "\\launched.txt";
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (GetFileAttributesA(report.c_str()) != INVALID_FILE_ATTRIBUTES)
            return ReadFileBytes(report);
        Sleep(50);
    }
    return std::string();
}

void WalkToInstallPage(ModelessWizard& wizard) {
    for (int i = 0; i < 4; ++i)
        wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(4, wizard.PageIndex());
}

}  // namespace

TEST(LaunchBrowser, FinishReturnsItsResultAndStartsTheBrowser) {
    ScratchDirectory scratch;
    std::string browser = StandInBrowser(scratch);
    ModelessWizard wizard;
    WalkToInstallPage(wizard);
    wizard.sheet().SetPluginPath(browser + "\\Plugins\\npzrbit.dll");
    EXPECT_EQ(IDCANCEL, wizard.sheet().Result());
    wizard.Press(PSBTN_FINISH);
    EXPECT_EQ(-1, wizard.PageIndex()) << "the wizard has ended";
    ASSERT_EQ(kSheetFinished, wizard.sheet().Result());
    EXPECT_EQ(12325, wizard.sheet().Result());
    EXPECT_TRUE(CompleteInstall(wizard.sheet(), wizard.sheet().Result()));
    EXPECT_EQ("\"" + browser + "\\iexplore.exe\" \"" + scratch.path() + "\\BatchBM.htm\"", WaitForLaunch(browser, 10000));
}

TEST(LaunchBrowser, CancelStartsNothing) {
    for (int page = 0; page < 5; ++page) {
        SCOPED_TRACE(testing::Message() << "cancel on page " << page);
        ScratchDirectory scratch;
        std::string browser = StandInBrowser(scratch);
        ModelessWizard wizard;
        wizard.sheet().SetPluginPath(browser + "\\Plugins\\npzrbit.dll");
        for (int i = 0; i < page; ++i)
            wizard.Press(PSBTN_NEXT);
        ASSERT_EQ(page, wizard.PageIndex());
        wizard.sheet().SetPluginPath(browser + "\\Plugins\\npzrbit.dll");
        wizard.Press(PSBTN_CANCEL);
        EXPECT_EQ(IDCANCEL, wizard.sheet().Result());
        EXPECT_FALSE(CompleteInstall(wizard.sheet(), wizard.sheet().Result()));
        EXPECT_EQ("", WaitForLaunch(browser, page == 4 ? 1500 : 100));
    }
}

TEST(LaunchBrowser, PathWithoutPluginsStartsNothing) {
    ScratchDirectory scratch;
    std::string browser = StandInBrowser(scratch);
    ModelessWizard wizard;
    WalkToInstallPage(wizard);
    wizard.sheet().SetPluginPath(browser + "\\npzrbit.dll");
    wizard.Press(PSBTN_FINISH);
    ASSERT_EQ(kSheetFinished, wizard.sheet().Result());
    EXPECT_FALSE(CompleteInstall(wizard.sheet(), wizard.sheet().Result()));
    EXPECT_EQ("", WaitForLaunch(browser, 1500));
}

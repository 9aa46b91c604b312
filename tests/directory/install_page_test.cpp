// The install page: the copy at each activation, the texts it shows, and
// the install record it keeps.
#include <gtest/gtest.h>

#include <string>

#include "installer/integration/install_steps.h"
#include "installer/resources/resource_ids.h"
#include "installer/wizard/main_sheet.h"
#include "tests/directory/registry_changes.h"
#include "tests/wizard/wizard_driver.h"

namespace {

const char kIE4Setup[] = "SOFTWARE\\Microsoft\\IE4\\SETUP";
const char kHeadline[] = " Zorbit plug-in has been installed in directory below:";
const char kFailure[] = "The installation failed. Select another directory to try again.";
const char kIEBuild[] = "the Internet Explorer build of the plug-in";
const char kNsBuild[] = "the Netscape build of the plug-in";

std::string ItemText(HWND page, int id) {
    char text[1024] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

std::string FavoritePath() {
    InstallState state;
    return GetShellFolders(state) + "\\Welcome to Zorbit.url";
}

// The "Zorbit Setup" section of an INI file's bytes, header to next section.
std::string RecordSection(const std::string& ini) {
    size_t start = ini.find("[Zorbit Setup]\r\n");
    if (start == std::string::npos)
        return std::string();
    size_t end = ini.find("\r\n[", start);
    return ini.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

// A product directory (the current one) with both builds, and the
// Internet Explorer 4 registry entry naming a browser folder in it.
struct Installation {
    RegistryChanges changes;
    ScratchDirectory product;
    std::string browser = product.File("Browser");
    std::string pluginPath = browser + "\\Plugins\\npzrbit.dll";

    explicit Installation(bool withPluginsFolder = true) {
        changes.Remove(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\IE Setup\\SETUP", "Path");
        changes.SetText(HKEY_LOCAL_MACHINE, kIE4Setup, "Path", browser);
        product.Write("DemoIe.dll", kIEBuild);
        product.Write("DemoNs.dll", kNsBuild);
        CreateDirectoryA(browser.c_str(), nullptr);
        if (withPluginsFolder)
            CreateDirectoryA((browser + "\\Plugins").c_str(), nullptr);
    }
    std::string Record() const { return RecordSection(ReadFileBytes(product.File("SetUp.ini"))); }
};

void ToInstallPage(ModelessWizard& wizard) {
    for (int i = 0; i < 4; ++i)
        wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(4, wizard.PageIndex());
}

}  // namespace

TEST(InstallPage, CopiesAndShowsThePathUnderTheHeadline) {
    Installation setup;
    ModelessWizard wizard;
    ToInstallPage(wizard);
    HWND page = wizard.Page();
    EXPECT_EQ(setup.pluginPath, ItemText(page, IDC_LOCATION));
    EXPECT_EQ(kHeadline, ItemText(page, IDC_HEADLINE));
    EXPECT_EQ(kIEBuild, ReadFileBytes(setup.pluginPath));
    EXPECT_TRUE(wizard.ButtonEnabled(0x3023));
    EXPECT_TRUE(wizard.ButtonEnabled(0x3025));
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\nIE_PLUGIN=" + setup.pluginPath + "\r\n",
              setup.Record());
}

TEST(InstallPage, FailedCopyShowsTheFailureAndRecordsNoPlugin) {
    struct Case {
        const char* name;
        bool source;
        bool pluginsFolder;
        bool emptyPath;
    } cases[] = {
        {"missing source", false, true, false},
        {"missing folder", true, false, false},
        {"empty path", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Installation setup(c.pluginsFolder);
        if (!c.source)
            DeleteFileA(setup.product.File("DemoIe.dll").c_str());
        if (c.emptyPath) {
            setup.changes.Remove(HKEY_LOCAL_MACHINE, kIE4Setup, "Path");
            setup.changes.SetText(HKEY_CLASSES_ROOT, "http\\Shell\\Open\\Command", "", "C:\\Viewer\\viewer.exe");
        }
        std::string expectedPath = c.emptyPath ? "" : setup.pluginPath;
        ModelessWizard wizard;
        ToInstallPage(wizard);
        HWND page = wizard.Page();
        EXPECT_EQ(kFailure, ItemText(page, IDC_LOCATION));
        EXPECT_EQ("", ItemText(page, IDC_HEADLINE));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(setup.pluginPath.c_str()));
        EXPECT_EQ(c.pluginsFolder, GetFileAttributesA((setup.browser + "\\Plugins").c_str()) != INVALID_FILE_ATTRIBUTES)
            << "no folder made";
        EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\n", setup.Record()) << expectedPath;
        EXPECT_TRUE(wizard.ButtonEnabled(0x3023));
        EXPECT_TRUE(wizard.ButtonEnabled(0x3025));
    }
}

TEST(InstallPage, RetryAfterFailureShowsThePathUnderAnEmptyHeadline) {
    Installation setup(false);
    ModelessWizard wizard;
    ToInstallPage(wizard);
    HWND page = wizard.Page();
    ASSERT_EQ(kFailure, ItemText(page, IDC_LOCATION));
    wizard.Press(PSBTN_BACK);
    CreateDirectoryA((setup.browser + "\\Plugins").c_str(), nullptr);
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(4, wizard.PageIndex());
    EXPECT_EQ(setup.pluginPath, ItemText(page, IDC_LOCATION));
    EXPECT_EQ("", ItemText(page, IDC_HEADLINE));
    EXPECT_EQ(kIEBuild, ReadFileBytes(setup.pluginPath));
}

TEST(InstallPage, BackAndNextCopiesAgain) {
    Installation setup;
    ModelessWizard wizard;
    ToInstallPage(wizard);
    ASSERT_EQ(kIEBuild, ReadFileBytes(setup.pluginPath));
    HANDLE file = CreateFileA(setup.pluginPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    ASSERT_EQ("", ReadFileBytes(setup.pluginPath));
    wizard.Press(PSBTN_BACK);
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ(kIEBuild, ReadFileBytes(setup.pluginPath));
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\nIE_PLUGIN=" + setup.pluginPath + "\r\n",
              setup.Record());
}

TEST(InstallPage, NetscapeCopiesItsBuildAndRecordsNsPlugin) {
    Installation setup;
    setup.changes.SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", "CurrentVersion", "4.7");
    setup.changes.SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator\\4.7\\Main",
                          "Plugins Directory", setup.browser + "\\Plugins");
    ModelessWizard wizard;
    wizard.Press(PSBTN_NEXT);
    wizard.Press(PSBTN_NEXT);
    // The Netscape button is disabled; its click still reaches the page.
    SendMessageA(wizard.Page(), WM_COMMAND, MAKEWPARAM(IDC_NETSCAPE, BN_CLICKED), 0);
    wizard.Press(PSBTN_NEXT);
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(4, wizard.PageIndex());
    EXPECT_EQ(BrowserNetscape, wizard.sheet().GetBrowserChoice());
    EXPECT_EQ(setup.pluginPath, ItemText(wizard.Page(), IDC_LOCATION));
    EXPECT_EQ(kNsBuild, ReadFileBytes(setup.pluginPath));
    std::string record = setup.Record();
    EXPECT_NE(std::string::npos, record.find("NS_PLUGIN=" + setup.pluginPath + "\r\n")) << record;
    EXPECT_EQ(std::string::npos, record.find("IE_PLUGIN"));
}

TEST(InstallPage, FinishCompletesTheRecordInOrder) {
    Installation setup;
    ModelessWizard wizard;
    ToInstallPage(wizard);
    wizard.Press(PSBTN_FINISH);
    ASSERT_EQ(kSheetFinished, wizard.sheet().Result());
    char icon[MAX_PATH] = "", start[MAX_PATH] = "";
    std::string ini = setup.product.File("SetUp.ini");
    GetPrivateProfileStringA("Zorbit Setup", "IE ICON", "", icon, sizeof icon, ini.c_str());
    GetPrivateProfileStringA("Zorbit Setup", "Start Directory", "", start, sizeof start, ini.c_str());
    EXPECT_NE(std::string::npos, std::string(icon).find("\\Zor Bit IE.LNK")) << icon;
    EXPECT_NE(std::string::npos, std::string(start).find("\\Zorbit")) << start;
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\nIE_PLUGIN=" + setup.pluginPath +
                  "\r\nIE ICON=" + icon + "\r\nStart Directory=" + start + "\r\n",
              setup.Record());
}

TEST(InstallPage, FileDialogInAnotherFolderLeavesTheProductDirectoryInPlace) {
    Installation setup;
    char earlierZorbitDir[MAX_PATH] = "";
    GetProfileStringA("Zorbit", "ZorbitDir", "", earlierZorbitDir, sizeof earlierZorbitDir);
    const std::string product = setup.product.path();
    const std::string other = setup.browser + "\\Elsewhere";
    const std::string chosen = other + "\\npzrbit.dll";
    CreateDirectoryA(other.c_str(), nullptr);
    setup.product.Write("Browser\\Elsewhere\\npzrbit.dll", "an older build");

    ModelessWizard wizard;
    for (int i = 0; i < 3; ++i)
        wizard.Press(PSBTN_NEXT);
    {
        // Into the folder first, then the bare file name, as a person would.
        FileDialogAnswer answer(std::vector<std::string>{other, "npzrbit.dll"});
        SendDlgItemMessageA(wizard.Page(), IDC_SELECT_DIRECTORY, BM_CLICK, 0, 0);
        ASSERT_TRUE(answer.Answered());
        PumpMessages();
    }
    ASSERT_EQ(chosen, wizard.sheet().GetPluginPath()) << "the dialog went into the other folder";
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(product, current);

    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(4, wizard.PageIndex());
    EXPECT_EQ(chosen, ItemText(wizard.Page(), IDC_LOCATION));
    EXPECT_EQ(kIEBuild, ReadFileBytes(chosen));
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\nIE_PLUGIN=" + chosen + "\r\n", setup.Record());
    char address[MAX_PATH] = "";
    GetPrivateProfileStringA("InternetShortcut", "URL", "", address, sizeof address, FavoritePath().c_str());
    EXPECT_EQ("file:///" + product + "\\BatchBM.htm", std::string(address));

    wizard.Press(PSBTN_FINISH);
    ASSERT_EQ(kSheetFinished, wizard.sheet().Result());
    char zorbitDir[MAX_PATH] = "";
    GetProfileStringA("Zorbit", "ZorbitDir", "", zorbitDir, sizeof zorbitDir);
    WriteProfileStringA("Zorbit", "ZorbitDir", earlierZorbitDir[0] ? earlierZorbitDir : nullptr);
    EXPECT_EQ(product, std::string(zorbitDir));
    const std::string collections = "[CollectionNames]\r\nGeneral Collection=" + product + "\\WebSite.htm\r\n"
                                    "User Collection=" + product + "\\Template.htm\r\n[LocalZB]\r\nHome=" + product +
                                    "\\BatchBM.htm\r\nUser Collection=" + product + "\\TempBM.htm\r\n";
    const std::string ini = ReadFileBytes(setup.product.File("SetUp.ini"));
    EXPECT_NE(std::string::npos, ini.find(collections)) << ini;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((other + "\\SetUp.ini").c_str()));
}

TEST(InstallPage, ProductDirectoryIsWhereTheWizardStartedWhereverTheProcessHasGone) {
    Installation setup;
    ModelessWizard wizard;
    // Something other than the dialog moves the current directory.
    SetCurrentDirectoryA(setup.browser.c_str());
    ToInstallPage(wizard);
    SetCurrentDirectoryA(setup.product.path().c_str());
    EXPECT_EQ(setup.pluginPath, ItemText(wizard.Page(), IDC_LOCATION));
    EXPECT_EQ(kIEBuild, ReadFileBytes(setup.pluginPath));
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\nIE_PLUGIN=" + setup.pluginPath + "\r\n",
              setup.Record());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((setup.browser + "\\SetUp.ini").c_str()));
}

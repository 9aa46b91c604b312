// Installs the product twice through the wizard in a fresh prefix made by
// run_e2e.sh (the record of a repeated installation), adds things of the
// user's own, and removes Zorbit with Uninstall.exe driven from outside its
// process. The cases run in order and build on each other.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <cstdlib>
#include <map>

#include "tests/support/browser_process.h"
#include "tests/support/files.h"
#include "tests/support/state_scopes.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/uninstall_driver.h"
#include "tests/e2e/wizard_driver.h"

using namespace support;

namespace {

const int kHeadline = 1001, kClosingNote = 1003, kRemove = 1004;

std::string Env(const char* name) { return getenv(name) ? getenv(name) : ""; }
std::string Product() { return Env("ZORBIT_E2E_PRODUCT"); }
std::string Record() { return Product() + "\\SetUp.ini"; }
std::string Plugin() { return Env("ZORBIT_E2E_BROWSER_DIR") + "\\Plugins\\npzrbit.dll"; }

std::string ShellFolder(const char* name) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                 RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

std::string Section(const std::string& file, const char* section) {
    char buffer[32768];
    DWORD length = file.empty() ? GetProfileSectionA(section, buffer, sizeof buffer)
                                : GetPrivateProfileSectionA(section, buffer, sizeof buffer, file.c_str());
    return std::string(buffer, length);
}

// Every file under the folders the installer and the uninstaller touch,
// with its bytes, and the profile.
std::map<std::string, std::string> Snapshot() {
    std::vector<std::string> folders = {ShellFolder("Favorites"), ShellFolder("Desktop"), ShellFolder("Programs"),
                                        Env("ZORBIT_E2E_BROWSER_DIR") + "\\Plugins", Product()};
    std::map<std::string, std::string> files = {{"win.ini", ReadBytes("C:\\windows\\win.ini")}};
    for (size_t i = 0; i < folders.size(); ++i)
        for (const std::string& name : FolderEntries(folders[i])) {
            std::string path = folders[i] + "\\" + name;
            if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(path);
            else
                files[path] = ReadBytes(path);
        }
    return files;
}

void InstallAndCloseBrowser() {
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Start(Product()) && wizard.WaitForSheet(30000));
    for (int page = 0; page < 5; ++page) {
        ASSERT_TRUE(wizard.WaitForPage(page, 20000)) << "page " << page + 1;
        wizard.Press(page < 4 ? PSBTN_NEXT : PSBTN_FINISH);
    }
    ASSERT_NE(-1, wizard.WaitForExit(60000));
    // The browser the installer starts holds the plug-in.
    HWND frame = nullptr;
    for (int i = 0; i < 300 && !frame; ++i, PumpFor(100))
        frame = FindWindowA("ZorbitBrowserFrame", nullptr);
    ASSERT_TRUE(frame) << "the installer started no browser";
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    WaitForSingleObject(process, 20000);
    CloseHandle(process);
}

void Shot(const UninstallDriver& driver, const char* name) {
    RECT area;
    GetWindowRect(driver.dialog(), &area);
    if (!Env("ZORBIT_E2E_SHOTS").empty())
        SaveScreenBitmap(Env("ZORBIT_E2E_SHOTS") + "\\" + name + ".bmp", &area);
}

// The rows as "what<TAB>outcome", without the place.
std::vector<std::string> Outcomes(const UninstallDriver& driver) {
    std::vector<std::string> rows = driver.Rows();
    for (std::string& row : rows)
        row = row.substr(0, row.find('\t', row.find('\t') + 1));
    return rows;
}

// The deletions Windows is to make at its next restart.
std::string PendingDeletions() {
    char value[8192] = "";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                 "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, value, &size);
    return std::string(value, size);
}

std::vector<std::string> Rows(const std::string& outcome, std::vector<const char*> things) {
    std::vector<std::string> rows;
    for (const char* thing : things)
        rows.push_back(thing + ("\t" + outcome));
    return rows;
}

const std::vector<const char*> kInstalled = {"Plug-in file", "Favourite", "Desktop shortcut", "Program group",
                                             "Settings"};
std::map<std::string, std::string> usersThings;
UninstallDriver* session = nullptr;

std::map<std::string, std::string> UsersThingsNow() {
    std::map<std::string, std::string> now = {{"profile", Section("", "MyApp")},
                                              {"SetUp.ini", Section(Record(), "Mine")}};
    for (const auto& thing : usersThings)
        if (now.count(thing.first) == 0)
            now[thing.first] = ReadBytes(thing.first);
    return now;
}

TEST(Uninstallation, TheWizardInstallsTwiceAndTheUserAddsThingsOfTheirOwn) {
    ASSERT_FALSE(Product().empty()) << "run through run_e2e.sh";
    InstallAndCloseBrowser();
    InstallAndCloseBrowser();
    std::string favourite = ShellFolder("Favorites") + "\\My Page.url";
    std::string plugin = Env("ZORBIT_E2E_BROWSER_DIR") + "\\Plugins\\npother.dll";
    WriteBytes(favourite, "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    WriteBytes(plugin, std::string("MZ\x90\0\x03 another plug-in\r\n", 22));
    WriteProfileStringA("MyApp", "Colour", "green");
    WritePrivateProfileStringA("Mine", "Answer", "42", Record().c_str());
    usersThings = {{favourite, ""}, {plugin, ""}};
    usersThings = UsersThingsNow();
}

TEST(Uninstallation, DISABLED_ShowsABrowserFrame) { ShowFrameUntilEnded(); }

TEST(Uninstallation, RemoveWaitsForAnOpenBrowserAndLeavesItToTheUser) {
    CreateDirectoryA("C:\\e2e\\ie", nullptr);
    auto* browser = new BrowserProcess("C:\\e2e\\ie", "iexplore.exe", "Uninstallation.DISABLED_ShowsABrowserFrame",
                                       "IEFrame");
    ASSERT_TRUE(browser->Window()) << "no stand-in browser";
    session = new UninstallDriver;
    ASSERT_TRUE(session->Start(Product(), 30000)) << "no Uninstall dialog";
    EXPECT_EQ(Rows("to be removed", kInstalled), Outcomes(*session));
    EXPECT_EQ("Cancel", session->Text(IDCANCEL));
    Shot(*session, "uninstall-before");

    session->Press(kRemove);
    EXPECT_NE(std::string::npos, session->AnswerMessageBox(IDOK, 10000).find("browser is open"))
        << "no request to close the browser";
    PumpFor(1000);
    EXPECT_TRUE(IsWindow(browser->Window())) << "the browser is the user's to close";
    EXPECT_EQ(Rows("to be removed", kInstalled), Outcomes(*session)) << "nothing goes while the browser is open";
    EXPECT_TRUE(Exists(Plugin()));
    delete browser;
}

TEST(Uninstallation, RemoveTakesBackEverythingTheRecordNamed) {
    ASSERT_TRUE(session);
    session->Press(kRemove);
    ASSERT_TRUE(session->WaitForClose(20000));
    EXPECT_EQ(Rows("removed", kInstalled), Outcomes(*session));
    EXPECT_FALSE(session->Visible(kRemove));
    EXPECT_EQ("Zorbit has been removed from this computer.", session->Text(kHeadline));
    EXPECT_EQ("You can now delete the folder " + Product() + ".", session->Text(kClosingNote));
    Shot(*session, "uninstall-after");
    session->Press(IDCANCEL);
    EXPECT_EQ(0, session->WaitForExit(10000));
    delete session;

    for (const std::string& path : {Plugin(), ShellFolder("Favorites") + "\\Welcome to Zorbit.url",
                                    ShellFolder("Desktop") + "\\Zor Bit IE.LNK", ShellFolder("Programs") + "\\Zorbit"})
        EXPECT_FALSE(Exists(path)) << path;
    EXPECT_EQ("", Section("", "Zorbit"));
    EXPECT_EQ(usersThings, UsersThingsNow()) << "a thing of the user's changed";
    EXPECT_EQ("[Mine]\r\nAnswer=42\r\n", ReadBytes(Record())) << "only the user's section is left";
    EXPECT_TRUE(Exists(Product() + "\\Uninstall.exe")) << "the product directory stays";
}

TEST(Uninstallation, ASecondRunFindsNothingAndChangesNothing) {
    std::map<std::string, std::string> before = Snapshot();
    UninstallDriver driver;
    ASSERT_TRUE(driver.Start(Product(), 30000));
    EXPECT_TRUE(driver.Rows().empty());
    EXPECT_EQ("Nothing of Zorbit is left to remove from this computer.", driver.Text(kHeadline));
    EXPECT_FALSE(driver.Visible(kRemove));
    EXPECT_EQ("Close", driver.Text(IDCANCEL));
    driver.Press(IDCANCEL);
    EXPECT_EQ(0, driver.WaitForExit(10000));
    EXPECT_TRUE(before == Snapshot()) << "the second run changed something";
}

TEST(Uninstallation, AHeldPluginIsInUseAndStaysInTheRecord) {
    InstallAndCloseBrowser();
    HANDLE held = CreateFileA(Plugin().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::vector<std::string> expected = Rows("removed", kInstalled);
    expected[0] = "Plug-in file\tin use, removed when Windows restarts";
    for (const auto& outcomes : {expected, Rows("removed", {"Plug-in file"})}) {
        UninstallDriver driver;
        ASSERT_TRUE(driver.Start(Product(), 30000));
        driver.Press(kRemove);
        ASSERT_TRUE(driver.WaitForClose(20000));
        EXPECT_EQ(outcomes, Outcomes(driver));
        EXPECT_EQ(held != INVALID_HANDLE_VALUE, driver.Text(kHeadline).find("run it again") != std::string::npos);
        driver.Press(IDCANCEL);
        EXPECT_EQ(0, driver.WaitForExit(10000));
        if (held != INVALID_HANDLE_VALUE) {
            EXPECT_EQ("IE_PLUGIN=" + Plugin() + std::string(1, '\0'), Section(Record(), "Zorbit Setup"));
            // Released, before any restart: the next run finishes the job.
            CloseHandle(held);
            held = INVALID_HANDLE_VALUE;
        }
    }
    EXPECT_FALSE(Exists(Plugin()));
    EXPECT_EQ("[Mine]\r\nAnswer=42\r\n", ReadBytes(Record()));

    // Installed again before the restart: the restart must not take the new copy.
    InstallAndCloseBrowser();
    EXPECT_TRUE(Exists(Plugin()));
    EXPECT_EQ(std::string::npos, PendingDeletions().find("npzrbit.dll")) << PendingDeletions();
    UninstallDriver driver;
    ASSERT_TRUE(driver.Start(Product(), 30000));
    driver.Press(kRemove);
    ASSERT_TRUE(driver.WaitForClose(20000));
    EXPECT_EQ(Rows("removed", kInstalled), Outcomes(driver));
    driver.Press(IDCANCEL);
    EXPECT_EQ(0, driver.WaitForExit(10000));
}

TEST(Uninstallation, AProductAtADriveRootGoesWholeAndLeavesTheBookmarksAsTheyWere) {
    const std::string root = Env("ZORBIT_E2E_ROOT_PRODUCT");
    ASSERT_EQ("R:\\", root) << "run_e2e.sh maps R: to a copy of the product";
    const std::string users = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
    const std::string plugins = "C:\\Netscape\\Program\\Plugins", user = "C:\\Netscape\\Users\\tester";
    RegistryScope registry;
    registry.SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator", "CurrentVersion", "4.7");
    registry.SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape\\Netscape Navigator\\4.7\\Main", "Plugins Directory",
                     plugins);
    registry.SetText(HKEY_LOCAL_MACHINE, users, "CurrentUser", "tester");
    registry.SetText(HKEY_LOCAL_MACHINE, users + "\\tester", "DirRoot", user);
    for (const char* folder : {"C:\\Netscape", "C:\\Netscape\\Program", "C:\\Netscape\\Program\\Plugins",
                               "C:\\Netscape\\Users", "C:\\Netscape\\Users\\tester"})
        CreateDirectoryA(folder, nullptr);
    // Rewritten by another program with CR alone, and a last line without its end.
    const std::string bookmarks = "<TITLE>Bookmarks</TITLE>\r<DL><p>\r    <DT><A HREF=\"http://example.org/\">"
                                  "Example</A>\r\n<DT><A HREF=\"http://mine/\">Mine</A></DL><p>";
    WriteBytes(user + "\\bookmark.htm", bookmarks);

    WizardDriver wizard;
    ASSERT_TRUE(wizard.Start(root) && wizard.WaitForSheet(30000));
    for (int page = 0; page < 5; ++page) {
        ASSERT_TRUE(wizard.WaitForPage(page, 20000)) << "page " << page + 1;
        // The Netscape button is disabled; its click still reaches the page.
        if (page == 2)
            SendMessageA(PropSheet_GetCurrentPageHwnd(wizard.sheet()), WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), 0);
        wizard.Press(page < 4 ? PSBTN_NEXT : PSBTN_FINISH);
    }
    ASSERT_NE(-1, wizard.WaitForExit(60000));
    ASSERT_TRUE(Exists(plugins + "\\npzrbit.dll"));
    ASSERT_NE(bookmarks, ReadBytes(user + "\\bookmark.htm")) << "no bookmark was added";

    UninstallDriver driver;
    ASSERT_TRUE(driver.Start("R:", 30000));
    driver.Press(kRemove);
    ASSERT_TRUE(driver.WaitForClose(20000));
    EXPECT_EQ(Rows("removed", {"Plug-in file", "Bookmark entries", "Desktop shortcut", "Program group", "Settings"}),
              Outcomes(driver));
    EXPECT_EQ("Zorbit has been removed from this computer.", driver.Text(kHeadline));
    EXPECT_EQ("You can now delete Zorbit's files from R:\\.", driver.Text(kClosingNote));
    driver.Press(IDCANCEL);
    EXPECT_EQ(0, driver.WaitForExit(10000));
    EXPECT_EQ(bookmarks, ReadBytes(user + "\\bookmark.htm"));
    for (const std::string& path : {plugins + "\\npzrbit.dll", std::string("R:\\SetUp.ini"),
                                    ShellFolder("Desktop") + "\\Zor Bit IE.LNK", ShellFolder("Programs") + "\\Zorbit"})
        EXPECT_FALSE(Exists(path)) << path;
    EXPECT_EQ("", Section("", "Zorbit"));

    // A copy started elsewhere says where it looked for the record.
    CreateDirectoryA("C:\\e2e\\copy", nullptr);
    ASSERT_TRUE(CopyFileA("R:\\Uninstall.exe", "C:\\e2e\\copy\\Uninstall.exe", FALSE));
    UninstallDriver copy;
    ASSERT_TRUE(copy.Start("C:\\e2e\\copy", 30000));
    EXPECT_NE(std::string::npos, copy.Text(kHeadline).find("no install record C:\\e2e\\copy\\SetUp.ini"))
        << copy.Text(kHeadline);
    EXPECT_EQ("", copy.Text(kClosingNote));
    copy.Press(IDCANCEL);
    EXPECT_EQ(0, copy.WaitForExit(10000));

    // Settings without a record, as a product run from read-only media leaves them: no success is claimed.
    WriteProfileStringA("Zorbit", "ZorbitDir", "C:\\e2e\\copy");
    UninstallDriver settingsOnly;
    ASSERT_TRUE(settingsOnly.Start("C:\\e2e\\copy", 30000));
    EXPECT_EQ(Rows("to be removed", {"Settings"}), Outcomes(settingsOnly));
    settingsOnly.Press(kRemove);
    ASSERT_TRUE(settingsOnly.WaitForClose(20000));
    EXPECT_NE(std::string::npos, settingsOnly.Text(kHeadline).find("no install record C:\\e2e\\copy\\SetUp.ini"))
        << settingsOnly.Text(kHeadline);
    EXPECT_EQ("", settingsOnly.Text(kClosingNote));
    settingsOnly.Press(IDCANCEL);
    EXPECT_EQ(0, settingsOnly.WaitForExit(10000));
    EXPECT_EQ("", Section("", "Zorbit"));
}

}  // namespace

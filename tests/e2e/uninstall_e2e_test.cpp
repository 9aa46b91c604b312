// Installs the product through the wizard in a fresh prefix made by
// run_e2e.sh, adds things of the user's own, and removes Zorbit with
// Uninstall.exe driven from outside its process. The cases run in order
// and build on each other.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/screen_capture.h"
#include "tests/e2e/uninstall_driver.h"
#include "tests/e2e/wizard_driver.h"

namespace {

const int kHeadline = 1001, kClosingNote = 1003, kRemove = 1004;

std::string Env(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

const std::string& ProductDir() { static std::string v = Env("ZORBIT_E2E_PRODUCT"); return v; }
const std::string& BrowserDir() { static std::string v = Env("ZORBIT_E2E_BROWSER_DIR"); return v; }

std::string ShellFolder(const char* name) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                 RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Section(const std::string& file, const char* section) {
    std::vector<char> buffer(32768);
    DWORD length = file.empty() ? GetProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()))
                                : GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                            file.c_str());
    return std::string(buffer.data(), length);
}

std::string Record() { return ProductDir() + "\\SetUp.ini"; }
std::string Plugin() { return BrowserDir() + "\\Plugins\\npzrbit.dll"; }

// Every file under the folders the installer and the uninstaller touch,
// with its bytes, and the profile files.
std::map<std::string, std::string> Snapshot() {
    std::map<std::string, std::string> files;
    std::vector<std::string> folders = {ShellFolder("Favorites"), ShellFolder("Desktop"), ShellFolder("Programs"),
                                        BrowserDir() + "\\Plugins", ProductDir()};
    for (size_t i = 0; i < folders.size(); ++i) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folders[i] + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::string name = found.cFileName, path = folders[i] + "\\" + name;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(path);
            else
                files[path] = Bytes(path);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    files["win.ini"] = Bytes(std::string(windows) + "\\win.ini");
    return files;
}

void RunWizard() {
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Start(ProductDir()));
    ASSERT_TRUE(wizard.WaitForSheet(30000));
    for (int page = 0; page < 5; ++page) {
        ASSERT_TRUE(wizard.WaitForPage(page, 20000)) << "page " << page + 1;
        wizard.Press(page < 4 ? PSBTN_NEXT : PSBTN_FINISH);
    }
    ASSERT_NE(-1, wizard.WaitForExit(60000));
    // The browser the installer starts holds the plug-in; close it.
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
    std::string shots = Env("ZORBIT_E2E_SHOTS");
    RECT area;
    GetWindowRect(driver.dialog(), &area);
    if (!shots.empty())
        SaveScreenBitmap(shots + "\\" + name + ".bmp", &area);
}

// The rows without their third column, the place.
std::vector<std::string> Outcomes(const UninstallDriver& driver) {
    std::vector<std::string> rows = driver.Rows();
    for (std::string& row : rows)
        row.erase(row.find('\t', row.find('\t') + 1));
    return rows;
}

std::vector<std::string> Rows(const char* outcome, std::vector<const char*> things) {
    std::vector<std::string> rows;
    for (const char* thing : things)
        rows.push_back(std::string(thing) + "\t" + outcome);
    return rows;
}

const std::vector<const char*> kInstalled = {"Plug-in file", "Favourite", "Desktop shortcut", "Program group",
                                             "Settings"};

// What the user had before Zorbit went: their own files and sections.
std::map<std::string, std::string> usersThings;
UninstallDriver* session = nullptr;

class Uninstallation : public testing::Test {};

TEST_F(Uninstallation, TheWizardInstallsAndTheUserAddsThingsOfTheirOwn) {
    ASSERT_FALSE(ProductDir().empty()) << "run through run_e2e.sh";
    RunWizard();
    ASSERT_TRUE(GetFileAttributesA(Plugin().c_str()) != INVALID_FILE_ATTRIBUTES);

    std::string favourite = ShellFolder("Favorites") + "\\My Page.url";
    std::string plugin = BrowserDir() + "\\Plugins\\npother.dll";
    WriteFileBytes(favourite, "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    WriteFileBytes(plugin, std::string("MZ\x90\0\x03 another plug-in\r\n", 22));
    WriteProfileStringA("MyApp", "Colour", "green");
    WritePrivateProfileStringA("Mine", "Answer", "42", Record().c_str());
    usersThings = {{favourite, Bytes(favourite)}, {plugin, Bytes(plugin)},
                   {"profile", Section("", "MyApp")}, {"SetUp.ini", Section(Record(), "Mine")}};
}

TEST_F(Uninstallation, RemoveWaitsForAnOpenBrowserAndClosesItOnRequest) {
    HWND browser = CreateWindowExA(0, "STATIC", "Start - Microsoft Internet Explorer", WS_OVERLAPPEDWINDOW, 0, 0,
                                   200, 100, nullptr, nullptr, nullptr, nullptr);
    session = new UninstallDriver;
    ASSERT_TRUE(session->Start(ProductDir(), 30000)) << "no Uninstall dialog";
    EXPECT_EQ(Rows("to be removed", kInstalled), Outcomes(*session));
    EXPECT_TRUE(session->Visible(kRemove));
    EXPECT_EQ("Cancel", session->Text(IDCANCEL));
    Shot(*session, "uninstall-before");

    session->Press(kRemove);
    ASSERT_TRUE(session->AnswerMessageBox(IDOK, 10000)) << "no request to close the browser";
    EXPECT_NE(std::string::npos, session->messages()[0].find("browser is open"));
    for (int i = 0; i < 100 && IsWindow(browser); ++i)
        PumpFor(50);
    EXPECT_FALSE(IsWindow(browser)) << "the browser was not asked to close";
    EXPECT_EQ(Rows("to be removed", kInstalled), Outcomes(*session)) << "nothing goes while the browser is open";
    EXPECT_TRUE(GetFileAttributesA(Plugin().c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST_F(Uninstallation, RemoveTakesBackEverythingTheRecordNamed) {
    ASSERT_TRUE(session);
    std::string favourite = ShellFolder("Favorites") + "\\Welcome to Zorbit.url";
    std::string desktop = ShellFolder("Desktop") + "\\Zor Bit IE.LNK";
    std::string group = ShellFolder("Programs") + "\\Zorbit";
    session->Press(kRemove);
    ASSERT_TRUE(session->WaitForClose(20000));
    EXPECT_EQ(Rows("removed", kInstalled), Outcomes(*session));
    EXPECT_FALSE(session->Visible(kRemove));
    EXPECT_EQ("Zorbit has been removed from this computer.", session->Text(kHeadline));
    EXPECT_EQ("You can now delete the folder " + ProductDir() + ".", session->Text(kClosingNote));
    Shot(*session, "uninstall-after");
    session->Press(IDCANCEL);
    EXPECT_EQ(0, session->WaitForExit(10000));
    delete session;
    session = nullptr;

    for (const std::string& path : {Plugin(), favourite, desktop, group})
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path << " is still there";
    EXPECT_EQ("", Section("", "Zorbit"));
    for (const char* section : {"Zorbit Setup", "LocalZB", "CollectionNames"})
        EXPECT_EQ("", Section(Record(), section)) << section;
    for (const auto& thing : usersThings) {
        std::string now = thing.first == "profile"     ? Section("", "MyApp")
                          : thing.first == "SetUp.ini" ? Section(Record(), "Mine")
                                                       : Bytes(thing.first);
        EXPECT_EQ(thing.second, now) << thing.first << " of the user's changed";
    }
    EXPECT_EQ("[Mine]\r\nAnswer=42\r\n", Bytes(Record())) << "only the user's section is left";
    EXPECT_NE("<missing>", Bytes(ProductDir() + "\\Uninstall.exe")) << "the product directory stays";
}

TEST_F(Uninstallation, ASecondRunFindsNothingAndChangesNothing) {
    std::map<std::string, std::string> before = Snapshot();
    UninstallDriver driver;
    ASSERT_TRUE(driver.Start(ProductDir(), 30000));
    EXPECT_TRUE(driver.Rows().empty());
    EXPECT_EQ("Nothing of Zorbit is left to remove from this computer.", driver.Text(kHeadline));
    EXPECT_FALSE(driver.Visible(kRemove));
    EXPECT_EQ("Close", driver.Text(IDCANCEL));
    driver.Press(IDCANCEL);
    EXPECT_EQ(0, driver.WaitForExit(10000));
    EXPECT_TRUE(before == Snapshot()) << "the second run changed something";
}

TEST_F(Uninstallation, AHeldPluginIsInUseAndStaysInTheRecord) {
    RunWizard();
    HANDLE held = CreateFileA(Plugin().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    {
        UninstallDriver driver;
        ASSERT_TRUE(driver.Start(ProductDir(), 30000));
        driver.Press(kRemove);
        ASSERT_TRUE(driver.WaitForClose(20000));
        std::vector<std::string> expected = Rows("removed", kInstalled);
        expected[0] = "Plug-in file\tin use, removed when Windows restarts";
        EXPECT_EQ(expected, Outcomes(driver));
        Shot(driver, "uninstall-in-use");
        driver.Press(IDCANCEL);
        EXPECT_EQ(0, driver.WaitForExit(10000));
    }
    CloseHandle(held);
    EXPECT_EQ("IE_PLUGIN=" + Plugin() + std::string(1, '\0'), Section(Record(), "Zorbit Setup"));

    // Released (no restart yet): the next run finishes the job.
    UninstallDriver driver;
    ASSERT_TRUE(driver.Start(ProductDir(), 30000));
    EXPECT_EQ(Rows("to be removed", {"Plug-in file"}), Outcomes(driver));
    driver.Press(kRemove);
    ASSERT_TRUE(driver.WaitForClose(20000));
    EXPECT_EQ(Rows("removed", {"Plug-in file"}), Outcomes(driver));
    driver.Press(IDCANCEL);
    EXPECT_EQ(0, driver.WaitForExit(10000));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Plugin().c_str()));
    EXPECT_EQ("[Mine]\r\nAnswer=42\r\n", Bytes(Record()));
}

}  // namespace

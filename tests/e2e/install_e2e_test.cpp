// Installs the product as a user would, in a fresh prefix made by
// run_e2e.sh, and checks what the installation left behind and the browser
// it started. The cases run in order and build on each other.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <prsht.h>
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/host_window.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/wizard_driver.h"

namespace {

std::string Env(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

const std::string& ProductDir() { static std::string v = Env("ZORBIT_E2E_PRODUCT"); return v; }
const std::string& BrowserDir() { static std::string v = Env("ZORBIT_E2E_BROWSER_DIR"); return v; }
const std::string& ShotsDir() { static std::string v = Env("ZORBIT_E2E_SHOTS"); return v; }
const std::string& BrowserLog() { static std::string v = Env("ZORBIT_BROWSER_LOG"); return v; }

std::string ShellFolder(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "";
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(value) : std::string();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> FilesMatching(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// The section as "key=value" lines in file order.
std::vector<std::string> Section(const std::string& file, const char* section) {
    std::vector<char> buffer(32768);
    DWORD length = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> lines;
    for (const char* p = buffer.data(); p < buffer.data() + length && *p; p += lstrlenA(p) + 1)
        lines.push_back(p);
    return lines;
}

struct ShortcutFields {
    bool loaded = false;
    std::string path, arguments, workingDirectory, description, iconFile;
    int iconIndex = -1;
};

ShortcutFields ReadShortcut(const std::string& lnk) {
    ShortcutFields fields;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return fields;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char buffer[MAX_PATH * 2];
            fields.loaded = true;
            if (SUCCEEDED(link->GetPath(buffer, sizeof buffer, nullptr, SLGP_RAWPATH))) fields.path = buffer;
            if (SUCCEEDED(link->GetArguments(buffer, sizeof buffer))) fields.arguments = buffer;
            if (SUCCEEDED(link->GetWorkingDirectory(buffer, sizeof buffer))) fields.workingDirectory = buffer;
            if (SUCCEEDED(link->GetDescription(buffer, sizeof buffer))) fields.description = buffer;
            if (SUCCEEDED(link->GetIconLocation(buffer, sizeof buffer, &fields.iconIndex))) fields.iconFile = buffer;
        }
        file->Release();
    }
    link->Release();
    return fields;
}

void Shot(const char* name) {
    if (!ShotsDir().empty())
        SaveScreenBitmap(ShotsDir() + "\\" + name + ".bmp");
}

// Clicks through the five pages: Next four times, then Finish.
void RunWizard(const char* shotPrefix) {
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Start(ProductDir())) << "install.exe did not start, error " << GetLastError();
    ASSERT_TRUE(wizard.WaitForSheet(30000)) << "the wizard never showed";
    for (int page = 0; page < 5; ++page) {
        ASSERT_TRUE(wizard.WaitForPage(page, 20000)) << "page " << page + 1 << " never became current";
        if (shotPrefix) {
            std::string name = std::string(shotPrefix) + std::to_string(page + 1);
            Shot(name.c_str());
        }
        wizard.Press(page < 4 ? PSBTN_NEXT : PSBTN_FINISH);
    }
    EXPECT_NE(-1, wizard.WaitForExit(60000)) << "install.exe did not end after Finish";
    for (const std::string& text : wizard.answeredMessages())
        ADD_FAILURE() << "the installer showed a message: " << text;
}

void CloseBrowser() {
    HWND frame = FindWindowA("ZorbitBrowserFrame", nullptr);
    if (!frame)
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (process) {
        WaitForSingleObject(process, 20000);
        CloseHandle(process);
    }
}

void PressKey(BYTE key) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    PumpFor(150);
}

class Installation : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }
};

TEST_F(Installation, TheEnvironmentIsLaidOut) {
    ASSERT_FALSE(ProductDir().empty()) << "run through run_e2e.sh";
    EXPECT_TRUE(FileExists(ProductDir() + "\\install.exe"));
    EXPECT_TRUE(FileExists(BrowserDir() + "\\iexplore.exe"));
    EXPECT_TRUE(FilesMatching(BrowserDir() + "\\Plugins\\*").empty());
}

TEST_F(Installation, TheWizardRunsToFinish) {
    RunWizard("wizard-page");
}

TEST_F(Installation, ThePluginIsInThePluginsFolder) {
    std::string installed = BrowserDir() + "\\Plugins\\npzrbit.dll";
    ASSERT_TRUE(FileExists(installed));
    EXPECT_EQ(FileBytes(ProductDir() + "\\DemoIe.dll"), FileBytes(installed));
}

TEST_F(Installation, TheInstallRecordHoldsItsKeysInOrder) {
    std::string record = ProductDir() + "\\SetUp.ini";
    std::string favorite = ShellFolder("Favorites") + "\\Welcome to Zorbit.url";
    std::vector<std::string> expected = {
        "FAVORITE=" + favorite,
        "IE_PLUGIN=" + BrowserDir() + "\\Plugins\\npzrbit.dll",
        "IE ICON=" + ShellFolder("Desktop") + "\\Zor Bit IE.LNK",
        "Start Directory=" + ShellFolder("Programs") + "\\Zorbit",
    };
    EXPECT_EQ(expected, Section(record, "Zorbit Setup"));
    std::vector<std::string> local = {
        "Home=" + ProductDir() + "\\BatchBM.htm",
        "User Collection=" + ProductDir() + "\\TempBM.htm",
    };
    EXPECT_EQ(local, Section(record, "LocalZB"));
}

TEST_F(Installation, TheFavouriteOpensTheStartPage) {
    std::string favorite = ShellFolder("Favorites") + "\\Welcome to Zorbit.url";
    char url[MAX_PATH * 2] = "";
    GetPrivateProfileStringA("InternetShortcut", "URL", "", url, sizeof url, favorite.c_str());
    EXPECT_EQ("file:///" + ProductDir() + "\\BatchBM.htm", std::string(url));
}

TEST_F(Installation, TheProgramGroupAndTheFourShortcutsExist) {
    std::string group = ShellFolder("Programs") + "\\Zorbit";
    std::string desktop = ShellFolder("Desktop") + "\\Zor Bit IE.LNK";
    struct Case {
        std::string lnk, target, arguments, description;
    } cases[] = {
        {desktop, BrowserDir() + "\\Iexplore.exe", ProductDir() + "\\BatchBM.htm", "Zor Bit for IE"},
        {group + "\\Zor Bit IE.LNK", BrowserDir() + "\\Iexplore.exe", ProductDir() + "\\BatchBM.htm", "Zor Bit for IE"},
        {group + "\\ZBEditor.LNK", ProductDir() + "\\ZBEditor.exe", "", "Zorbit Editor"},
        {group + "\\Uninstall.LNK", ProductDir() + "\\Uninstall.exe", "", "Zorbit Uninstall"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("shortcut " + std::to_string(i) + ": " + cases[i].lnk);
        ShortcutFields fields = ReadShortcut(cases[i].lnk);
        ASSERT_TRUE(fields.loaded);
        // The browser target ends in a blank as the installer writes it;
        // compare without it and without letter case, as the shell does.
        std::string path = fields.path;
        while (!path.empty() && path.back() == ' ')
            path.pop_back();
        EXPECT_EQ(0, lstrcmpiA(cases[i].target.c_str(), path.c_str())) << path;
        EXPECT_EQ(cases[i].arguments, fields.arguments);
        EXPECT_EQ(cases[i].description, fields.description);
        EXPECT_EQ(0, lstrcmpiA(ProductDir().c_str(), fields.workingDirectory.c_str())) << fields.workingDirectory;
    }
}

TEST_F(Installation, TheProfileNamesTheProductDirectory) {
    char value[MAX_PATH] = "";
    GetProfileStringA("Zorbit", "ZorbitDir", "", value, sizeof value);
    EXPECT_EQ(ProductDir(), std::string(value));
}

TEST_F(Installation, TheBrowserShowsThePluginMenus) {
    HWND frame = FindBrowserFrame(30000);
    ASSERT_TRUE(frame) << "the installer started no browser";
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "open ", 0, 20000));
    std::string open;
    WaitForLogLine(BrowserLog(), "open ", 0, 0, &open);
    EXPECT_NE(std::string::npos, open.find("BatchBM.htm")) << open;
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "status  sURL ", 0, 20000)) << "the plug-in never attached";
    PumpFor(500);

    std::vector<MenuBarLine> menus = DumpMenuBar(frame, BrowserLog());
    std::vector<MenuBarLine> bar = ChildrenOf(menus, "");
    ASSERT_GE(bar.size(), 7u + 4u);
    const char* own[] = {"&File", "&Edit", "&View", "&Go", "&Help"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(own[i], bar[i].text) << "bar item " << i;
    EXPECT_TRUE(bar[5].bitmap) << "the divider picture";
    EXPECT_EQ(100u, bar[5].id);
    EXPECT_TRUE(bar[6].bitmap && bar[6].popup) << "the collection popup";
    const char* titles[] = {"News", "Reference", "Search", "Developers"};
    ASSERT_EQ(7u + 4u, bar.size());
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(titles[i], bar[7 + i].text) << "title " << i;

    std::vector<MenuBarLine> collections = ChildrenOf(menus, bar[6].path);
    ASSERT_GE(collections.size(), 3u);
    EXPECT_EQ("Home", collections[0].text);
    EXPECT_EQ(2998u, collections[0].id);
    EXPECT_EQ("User Collection", collections[1].text);
    EXPECT_EQ(2997u, collections[1].id);
    EXPECT_EQ("Zorbit start page", collections[2].text) << "the first Bazrelle line";
    EXPECT_EQ("About Zorbit", collections.back().text);
    EXPECT_EQ(2999u, collections.back().id);
    // Bazrelle and More Collection from ZBIndex.ini, separators included.
    EXPECT_EQ(2u + 8u + 7u + 1u, collections.size());
}

TEST_F(Installation, ChoosingHomeNavigatesToIt) {
    HWND frame = FindBrowserFrame(5000);
    ASSERT_TRUE(frame);
    size_t before = ReadLogLines(BrowserLog()).size();
    SetForegroundWindow(frame);
    SetActiveWindow(frame);
    PumpFor(300);
    // Alt selects File; Right walks over Edit, View, Go, Help and the divider
    // to the collection popup; Down opens it on Home.
    PressKey(VK_MENU);
    for (int i = 0; i < 6; ++i)
        PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    PumpFor(300);
    Shot("browser-collections");
    PressKey(VK_RETURN);
    std::string navigate;
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "navigate ", before, 10000, &navigate));
    EXPECT_EQ("navigate file:///" + ProductDir() + "\\BatchBM.htm target=_top", navigate);

    // The page comes back with its menus; open the first title menu for the
    // picture of the installed browser.
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "status  sURL ", before, 20000));
    PumpFor(500);
    SetForegroundWindow(frame);
    PressKey(VK_MENU);
    for (int i = 0; i < 7; ++i)
        PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PumpFor(300);
    Shot("browser-title-menu");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
}

TEST_F(Installation, ASecondRunLeavesOneFavouriteAndNoDuplicateShortcuts) {
    CloseBrowser();
    std::string group = ShellFolder("Programs") + "\\Zorbit";
    DeleteFileA((group + "\\ZBEditor.LNK").c_str());
    RunWizard(nullptr);
    std::vector<std::string> favorites = FilesMatching(ShellFolder("Favorites") + "\\*Zorbit*");
    EXPECT_EQ(std::vector<std::string>{"Welcome to Zorbit.url"}, favorites);
    std::vector<std::string> links = FilesMatching(group + "\\*.LNK");
    EXPECT_EQ(2u, links.size()) << "the existing group keeps its shortcuts as they are";
    EXPECT_FALSE(FileExists(group + "\\ZBEditor.LNK")) << "an existing group is not renewed";
    EXPECT_EQ(1u, FilesMatching(ShellFolder("Desktop") + "\\Zor Bit IE*").size());
    EXPECT_EQ(4u, Section(ProductDir() + "\\SetUp.ini", "Zorbit Setup").size());
    HWND frame = FindBrowserFrame(30000);
    EXPECT_TRUE(frame) << "the second run starts the browser again";
    CloseBrowser();
}

}  // namespace

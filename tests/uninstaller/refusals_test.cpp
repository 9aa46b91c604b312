// Each removal step takes only what is Zorbit's: a table of things per
// step, the outcome each must get, and what must be left on disk.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <memory>

#include "common/browser_windows.h"
#include "installer/integration/install_steps.h"
#include "tests/support/browser_process.h"
#include "tests/support/files.h"
#include "tests/support/state_scopes.h"
#include "uninstaller/removal_steps.h"

using namespace support;

namespace {

std::string PluginBuild() {
    std::string path = "Z:" + std::string(ZORBIT_PLUGIN_DLL);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string ThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void ExpectOutcome(int line, size_t index, Outcome expected, const RemovalResult& actual) {
    EXPECT_EQ(static_cast<int>(expected), static_cast<int>(actual.outcome))
        << "case " << index << " (line " << line << "): " << OutcomeText(actual);
}

class Refusals : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }
    void SetUp() override { product_ = ProductAt(productFolder_.Path()); }

    std::string Link(const std::string& name, const std::string& productDirectory, const char* program = nullptr) {
        InstallState state;
        state.productDirectory = productDirectory;
        std::string path = things_ / name;
        if (program)
            CreateGroupLink(state, productDirectory + "\\" + program, path, "Zorbit", 'g');
        else
            CreateShellLink(state, "C:\\Program Files\\Internet Explorer\\Iexplore.exe ", path, "Zor Bit for IE");
        return path;
    }

    TempFolder productFolder_{"zbp"};
    TempFolder things_{"zbu"};
    Product product_;
};

TEST_F(Refusals, OnlyABuildOfThePluginIsDeleted) {
    RegistryScope registry;
    const std::string sessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
    registry.Delete(HKEY_LOCAL_MACHINE, sessionManager, "PendingFileRenameOperations");
    ASSERT_TRUE(CopyFileA(PluginBuild().c_str(), (productFolder_ / "DemoIe.dll").c_str(), FALSE));
    struct Case {
        const char* name;
        std::string source;  // copied in; empty makes a text file
        DWORD attributes;
        Outcome outcome;
        bool stays;
        std::string appended = "";  // another installation's build differs from this product's
    } cases[] = {
        {"npzrbit.dll", PluginBuild(), FILE_ATTRIBUTE_NORMAL, Outcome::Removed, false},
        {"another.dll", PluginBuild(), FILE_ATTRIBUTE_NORMAL, Outcome::NotOurs, true, "0.2.1"},
        {"text.dll", "", FILE_ATTRIBUTE_NORMAL, Outcome::NotOurs, true},
        {"program.dll", ThisProgram(), FILE_ATTRIBUTE_NORMAL, Outcome::NotOurs, true},
        {"readonly.dll", PluginBuild(), FILE_ATTRIBUTE_READONLY, Outcome::Failed, true},
        {"missing.dll", "-", FILE_ATTRIBUTE_NORMAL, Outcome::AlreadyGone, false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const Case& c = cases[i];
        std::string path = things_ / c.name;
        if (c.source.empty())
            WriteBytes(path, "MZ not really\r\n");
        else if (c.source != "-") {
            ASSERT_TRUE(CopyFileA(c.source.c_str(), path.c_str(), FALSE)) << i;
            WriteBytes(path, ReadBytes(path) + c.appended);
        }
        SetFileAttributesA(path.c_str(), c.attributes);
        std::string before = ReadBytes(path);
        ExpectOutcome(__LINE__, i, c.outcome, RemovePluginFile(product_, path));
        EXPECT_EQ(c.stays ? before : "<missing>", ReadBytes(path)) << "case " << i;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // Held open by a browser: deleted at restart, and it says so.
    std::string held = things_ / "held.dll";
    ASSERT_TRUE(CopyFileA(PluginBuild().c_str(), held.c_str(), FALSE));
    HANDLE open = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    RemovalResult result = RemovePluginFile(product_, held);
    CloseHandle(open);
    ExpectOutcome(__LINE__, 0, Outcome::InUse, result);
    EXPECT_TRUE(Exists(held));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionManager.c_str(), 0, KEY_QUERY_VALUE, &key));
    char pending[4096] = "";
    DWORD size = sizeof pending - 2;
    RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(pending), &size);
    RegCloseKey(key);
    EXPECT_TRUE(ContainsText(std::string(pending, size), "held.dll")) << "no deletion at restart was scheduled";
}

TEST_F(Refusals, OnlyAFavouriteOfThisStartPageIsDeleted) {
    std::string ours = "[InternetShortcut]\r\nURL=" + FavoriteUrl(product_) + "\r\n";
    struct Case {
        std::string content;
        DWORD attributes;
        Outcome outcome;
    } cases[] = {
        {ours, FILE_ATTRIBUTE_NORMAL, Outcome::Removed},
        {"[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL=" + FavoriteUrl(ProductAt("C:\\Other")) + "\r\n",
         FILE_ATTRIBUTE_NORMAL, Outcome::NotOurs},
        {"[InternetShortcut]\r\nURL=http://example.org/\r\n", FILE_ATTRIBUTE_NORMAL, Outcome::NotOurs},
        {std::string("\0\x01\x02 binary", 10), FILE_ATTRIBUTE_NORMAL, Outcome::NotOurs},
        {ours, FILE_ATTRIBUTE_READONLY, Outcome::Failed},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::string path = things_ / ("favourite" + std::to_string(i) + ".url");
        WriteBytes(path, cases[i].content);
        SetFileAttributesA(path.c_str(), cases[i].attributes);
        ExpectOutcome(__LINE__, i, cases[i].outcome, RemoveFavorite(product_, path));
        EXPECT_EQ(cases[i].outcome != Outcome::Removed ? cases[i].content : "<missing>", ReadBytes(path))
            << "case " << i;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(Refusals, OnlyAShortcutNamingThisProductIsDeleted) {
    std::string notALink = things_ / "Text.LNK";
    WriteBytes(notALink, "[InternetShortcut]\r\n");
    struct Case {
        std::string path;
        Outcome outcome;
    } cases[] = {
        {Link("Ours.LNK", product_.directory), Outcome::Removed},
        {Link("Other.LNK", "C:\\Other Zorbit"), Outcome::NotOurs},
        {Link("Editor.LNK", product_.directory, "ZBEditor.exe"), Outcome::NotOurs},  // no start page
        {notALink, Outcome::NotOurs},
        {things_ / "Missing.LNK", Outcome::AlreadyGone},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::string before = ReadBytes(cases[i].path);
        ExpectOutcome(__LINE__, i, cases[i].outcome, RemoveBrowserShortcut(product_, cases[i].path));
        EXPECT_EQ(cases[i].outcome == Outcome::NotOurs ? before : "<missing>", ReadBytes(cases[i].path))
            << "case " << i;
    }
}

TEST_F(Refusals, TheProgramGroupLosesOnlyTheInstallersShortcuts) {
    struct Case {
        const char* editorOf;  // the product the editor shortcut names
        const char* extra;     // a file of the user's in the group
        Outcome outcome;
        std::vector<std::string> left;
    } cases[] = {
        {"", nullptr, Outcome::Removed, {}},
        {"C:\\Other", nullptr, Outcome::NotOurs, {"ZBEditor.LNK"}},
        {"", "Notes.txt", Outcome::NotOurs, {"Notes.txt"}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::string group = things_ / "Zorbit";
        ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr)) << i;
        std::string editorOf = *cases[i].editorOf ? cases[i].editorOf : product_.directory;
        ASSERT_TRUE(MoveFileA(Link("e", editorOf, "ZBEditor.exe").c_str(), (group + "\\ZBEditor.LNK").c_str()));
        ASSERT_TRUE(MoveFileA(Link("u", product_.directory, "Uninstall.exe").c_str(),
                              (group + "\\Uninstall.LNK").c_str()));
        ASSERT_TRUE(MoveFileA(Link("b", product_.directory).c_str(), (group + "\\Zor Bit IE.LNK").c_str()));
        if (cases[i].extra)
            WriteBytes(group + "\\" + cases[i].extra, "mine");
        ExpectOutcome(__LINE__, i, cases[i].outcome, RemoveProgramGroup(product_, group));
        EXPECT_EQ(cases[i].left, FolderEntries(group)) << "case " << i;
        EXPECT_EQ(cases[i].outcome != Outcome::Removed, Exists(group)) << "case " << i;
        for (const std::string& name : cases[i].left)
            DeleteFileA((group + "\\" + name).c_str());
        RemoveDirectoryA(group.c_str());
    }
    // A folder of another name is not the program group at all.
    std::string other = things_ / "Accessories";
    CreateDirectoryA(other.c_str(), nullptr);
    ExpectOutcome(__LINE__, 0, Outcome::NotOurs, RemoveProgramGroup(product_, other));
    EXPECT_TRUE(Exists(other));
}

TEST(BrowserCheck, BrowsersAreKnownByTheirFrameClassAndProgram) {
    struct Case {
        const char* windowClass;
        const char* program;
        bool browser;
    } cases[] = {
        {"IEFrame", "iexplore.exe", true},
        {"IEFrame", "IEXPLORE.EXE", true},
        {"Netscape4.0", "netscape.exe", true},
        {"MozillaWindowClass", "netscp.exe", true},
        {"IEFrame", "explorer.exe", false},
        {"Notepad", "netscape.exe", false},
        {"Notepad", "notepad.exe", false},
        {"MozillaWindowClass", "firefox.exe", false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].browser, IsBrowserFrame(cases[i].windowClass, cases[i].program)) << "case " << i;
}

TEST(BrowserCheck, DISABLED_ShowsAFrame) { ShowFrameUntilEnded(); }

TEST_F(Refusals, OnlyAShownFrameOfABrowserProgramIsAnOpenBrowser) {
    struct Case {
        const char* program;  // a copy of this program under that name; null: this program itself
        const char* windowClass;
        bool shown;
        const char* title;
        bool found;
    } cases[] = {
        {"iexplore.exe", "IEFrame", true, "", true},
        {"iexplore.exe", "IEFrame", false, "", false},
        {nullptr, "IEFrame", true, "", false},
        {nullptr, "STATIC", true, "about:blank - Microsoft Internet Explorer", false},
        {nullptr, "STATIC", true, "Netscape - notes.txt", false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const Case& c = cases[i];
        ASSERT_EQ(nullptr, FindOpenBrowser()) << "case " << i << ": a browser is open already";
        std::unique_ptr<BrowserProcess> browser;
        HWND window = nullptr;
        if (c.program) {
            browser.reset(new BrowserProcess(things_.Path(), c.program, "BrowserCheck.DISABLED_ShowsAFrame",
                                             c.windowClass, c.shown));
            window = browser->Window();
        } else {
            WNDCLASSA type = {};
            type.lpfnWndProc = DefWindowProcA;
            type.lpszClassName = c.windowClass;
            RegisterClassA(&type);
            window = CreateWindowExA(0, c.windowClass, c.title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                     nullptr, nullptr, nullptr, nullptr);
        }
        ASSERT_TRUE(window) << "case " << i;
        EXPECT_EQ(c.found, FindOpenBrowser() == window) << "case " << i << ": " << c.windowClass;
        EXPECT_TRUE(IsWindow(window)) << "case " << i << ": nothing is sent to the browser";
        if (!c.program)
            DestroyWindow(window);
    }
}

}  // namespace

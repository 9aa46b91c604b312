// The editor in an installed product, driven from outside its process as a
// user drives it: it opens the user's collection page, a title with an item
// is added through its menus and fields and saved, and the browser then
// shows the new title menu from the installed plug-in. The cases run in
// order and build on each other.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <prsht.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/user_link_folders.h"
#include "editor/app/editor_ids.h"
#include "tests/e2e/host_window.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/wizard_driver.h"

namespace {

std::string Env(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

const std::string& ProductDir() { static std::string v = Env("ZORBIT_E2E_PRODUCT"); return v; }
const std::string& BrowserLog() { static std::string v = Env("ZORBIT_BROWSER_LOG"); return v; }
std::string Page() { return ProductDir() + "\\TempBM.htm"; }

const char kTitle[] = "Editor test";
const char kItem[] = "Editor test link";
const char kAddress[] = "https://example.org/editor";

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string TextOf(HWND window) {
    char text[512] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

struct Search {
    DWORD pid;
    const char* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && IsWindowVisible(hwnd) && lstrcmpA(cls, search->cls) == 0)
        search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD pid, const char* cls) {
    Search search{pid, cls, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The editor as a user starts it from its shortcut: in the product folder.
class Editor {
public:
    ~Editor() {
        if (!process_.hProcess)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }

    bool Start() {
        std::string command = "\"" + ProductDir() + "\\ZBEditor.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ProductDir().c_str(),
                            &startup, &process_))
            return false;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; PumpFor(100)) {
            std::vector<HWND> frames = WindowsOf(process_.dwProcessId, "ZorbitEditorFrame");
            if (!frames.empty()) {
                frame_ = frames.front();
                PumpFor(500);
                return true;
            }
        }
        return false;
    }

    HWND frame() const { return frame_; }
    std::string Title() const { return TextOf(frame_); }
    std::string Status() const { return TextOf(GetDlgItem(frame_, IDC_STATUS)); }
    std::string Field(int id) const { return TextOf(GetDlgItem(frame_, id)); }

    // The modeless dialog the editor shows now, left open.
    HWND WaitForDialog(DWORD timeoutMs) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; PumpFor(100)) {
            std::vector<HWND> boxes = WindowsOf(process_.dwProcessId, "#32770");
            if (!boxes.empty())
                return boxes.front();
        }
        return nullptr;
    }

    void CloseDialog(HWND dialog) {
        SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0, SMTO_BLOCK, 5000, nullptr);
    }

    // Looks for `text` with Find Next in the open Find dialog.
    void Find(HWND dialog, const char* text) {
        SendMessageTimeoutA(GetDlgItem(dialog, edt1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                            5000, nullptr);
        SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_BLOCK, 5000, nullptr);
    }

    // On the screen, a point on the label of the row `rowsDown` from the
    // selected entry's, an entry `depth` levels down the tree.
    POINT RowOnScreen(int rowsDown, int depth) const {
        HWND tree = GetDlgItem(frame_, IDC_TREE);
        const LRESULT selected = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        LRESULT row = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
        int index = rowsDown;
        for (; row && row != selected; ++index)
            row = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, row);
        const int height = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
        const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
        POINT at{indent * (depth + 1) + 12, index * height + height / 2};
        ClientToScreen(tree, &at);
        return at;
    }

    // A menu command, as choosing it in the editor's menu bar sends it.
    void Choose(UINT command) {
        PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        Settle();
    }

    // Typing into a field: the text arrives with its change notification.
    void Type(int field, const char* text) {
        SendMessageTimeoutA(GetDlgItem(frame_, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                            5000, nullptr);
        Settle();
    }

    // The button that closes the message boxes the editor shows from now on.
    void AnswerWith(int button) { answer_ = button; }

    // Waits until the editor has handled what was sent; the message boxes
    // it shows meanwhile are recorded and answered.
    void Settle() {
        DWORD_PTR result = 0;
        for (int i = 0; i < 20; ++i) {
            for (HWND box : WindowsOf(process_.dwProcessId, "#32770")) {
                HWND label = GetDlgItem(box, 0xFFFF);
                messages_.push_back(label ? TextOf(label) : TextOf(box));
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
            }
            if (SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_BLOCK, 250, &result))
                break;
        }
        PumpFor(200);
    }

    // Waits for the editor to show its next message box, and answers it.
    bool WaitForMessage(DWORD timeoutMs) {
        const size_t before = messages_.size();
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
            Settle();
            if (messages_.size() > before)
                return true;
        }
        return false;
    }

    bool WaitForExit(DWORD timeoutMs) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
            if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0)
                return true;
            Settle();
        }
        return false;
    }

    const std::vector<std::string>& messages() const { return messages_; }

private:
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
    int answer_ = IDCANCEL;
    std::vector<std::string> messages_;
};

void PressKey(BYTE key) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    PumpFor(150);
}

// Ctrl and `key` on the keyboard, in `window` brought to the front.
void PressCtrlKey(HWND window, BYTE key) {
    SetForegroundWindow(window);
    PumpFor(300);
    keybd_event(VK_CONTROL, 0, 0, 0);
    PressKey(key);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

// A picture of the editor for the README.
void Shot(HWND frame, const char* name) {
    const std::string shots = Env("ZORBIT_E2E_SHOTS");
    if (shots.empty())
        return;
    SetForegroundWindow(frame);
    PumpFor(300);
    SaveScreenBitmap(shots + "\\" + name);
}

// Pictures for the README: the editor, and its preview of the new title
// menu (File, Edit, Help, divider, collections, My links, then the new one).
void Shots(HWND frame) {
    const std::string shots = Env("ZORBIT_E2E_SHOTS");
    if (shots.empty())
        return;
    Shot(frame, "editor.bmp");
    PressKey(VK_MENU);
    for (int i = 0; i < 6; ++i)
        PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    PumpFor(300);
    SaveScreenBitmap(shots + "\\editor-preview.bmp");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    PumpFor(300);
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Choosing one of the page's items in the browser's menu bar asks the
// browser to open its address in the content frame.
void ExpectChoosingOpens(HWND frame, unsigned id, const std::string& address) {
    const size_t chosen = ReadLogLines(BrowserLog()).size();
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    std::string opened;
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "navigate ", chosen, 10000, &opened));
    EXPECT_EQ("navigate " + address + " target=Vantrel_Content", opened);
}

class EditorInInstalledProduct : public testing::Test {
protected:
    static std::string originalPage_;
};
std::string EditorInInstalledProduct::originalPage_;

TEST_F(EditorInInstalledProduct, TheWizardInstallsTheProduct) {
    ASSERT_FALSE(ProductDir().empty()) << "run through run_e2e.sh";
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Start(ProductDir()));
    ASSERT_TRUE(wizard.WaitForSheet(30000));
    for (int page = 0; page < 5; ++page) {
        ASSERT_TRUE(wizard.WaitForPage(page, 20000)) << "page " << page + 1;
        wizard.Press(page < 4 ? PSBTN_NEXT : PSBTN_FINISH);
    }
    EXPECT_NE(-1, wizard.WaitForExit(60000));
    EXPECT_TRUE(wizard.answeredMessages().empty());
    ASSERT_TRUE(FindBrowserFrame(30000)) << "the installer started no browser";
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "status  sURL ", 0, 20000)) << "the plug-in never attached";
    originalPage_ = FileBytes(Page());
    ASSERT_FALSE(originalPage_.empty());
}

TEST_F(EditorInInstalledProduct, AddsATitleWithAnItemAndSaves) {
    Editor editor;
    ASSERT_TRUE(editor.Start()) << "ZBEditor.exe did not show its window";
    EXPECT_NE(std::string::npos, editor.Title().find("TempBM.htm")) << editor.Title();

    editor.Choose(ID_EDIT_ADD_TITLE);
    editor.Type(IDC_CAPTION, kTitle);
    editor.Choose(ID_EDIT_ADD_ITEM);
    editor.Type(IDC_CAPTION, kItem);
    editor.Type(IDC_ADDRESS, kAddress);
    EXPECT_EQ('*', editor.Title()[0]) << "unsaved changes show in the title: " << editor.Title();
    // The new item is definition entry 8: choosing it in the preview only
    // shows where it leads.
    editor.Choose(3008);
    EXPECT_EQ(kAddress, editor.Status());
    Shots(editor.frame());

    editor.Choose(ID_FILE_SAVE);
    EXPECT_EQ("TempBM.htm - Zorbit Editor", editor.Title());
    EXPECT_TRUE(editor.messages().empty()) << editor.messages().front();

    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000)) << "a saved page closes without a question";
    EXPECT_TRUE(editor.messages().empty());

    // The page's bytes stay as they were; the new title goes after the last
    // entry's line, with the page's own line ends.
    const size_t end = originalPage_.find("</pre>");
    const std::string added = std::string("TITLE \"") + kTitle + "\"\nMENUITEM \"" + kItem + ";" + kAddress +
                              "\"\nTITLE \"END\"\n";
    EXPECT_EQ(originalPage_.substr(0, end) + added + originalPage_.substr(end), FileBytes(Page()));
    EXPECT_EQ(originalPage_, FileBytes(Page() + ".bak")) << "the previous version is kept";
}

TEST_F(EditorInInstalledProduct, TheBrowserShowsTheNewTitleMenu) {
    HWND frame = FindBrowserFrame(5000);
    ASSERT_TRUE(frame);
    const size_t before = ReadLogLines(BrowserLog()).size();
    // What choosing "User Collection" (collection entry 1) in the
    // collection popup sends the frame.
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(2997, 0), 0);
    std::string navigate;
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "navigate ", before, 10000, &navigate));
    EXPECT_EQ("navigate file:///" + Page() + " target=_top", navigate);
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "status  sURL ", before, 20000)) << "the page's plug-in never attached";
    PumpFor(500);

    std::vector<MenuBarLine> menus = DumpMenuBar(frame, BrowserLog());
    std::vector<MenuBarLine> bar = ChildrenOf(menus, "");
    ASSERT_EQ(7u + 2u, bar.size()) << "the browser's five, divider, collections, My links and the new title";
    EXPECT_EQ("My links", bar[7].text);
    EXPECT_EQ(kTitle, bar[8].text);
    std::vector<MenuBarLine> items = ChildrenOf(menus, bar[8].path);
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(kItem, items[0].text);
    EXPECT_GT(items[0].id, 3000u);

    ExpectChoosingOpens(frame, items[0].id, kAddress);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    PumpFor(1000);
}

// The favourites the installer wrote, beside links the user kept in folders.
TEST_F(EditorInInstalledProduct, ImportedFavoritesAppearAsMenusInTheBrowser) {
    const std::string favorites = ReadShellFolder("Favorites");
    ASSERT_FALSE(favorites.empty());
    char welcome[512] = "";
    GetPrivateProfileStringA("InternetShortcut", "URL", "", welcome, sizeof welcome,
                             (favorites + "\\Welcome to Zorbit.url").c_str());
    ASSERT_NE('\0', welcome[0]) << "the installer wrote no favourite";
    ASSERT_TRUE(CreateDirectoryA((favorites + "\\News").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((favorites + "\\News\\Weather").c_str(), nullptr));
    WritePrivateProfileStringA("InternetShortcut", "URL", "https://example.org/daily",
                               (favorites + "\\News\\Daily news.url").c_str());
    WritePrivateProfileStringA("InternetShortcut", "URL", "https://example.org/rain",
                               (favorites + "\\News\\Weather\\Rain radar.url").c_str());
    const std::string before = FileBytes(Page());

    Editor editor;
    ASSERT_TRUE(editor.Start());
    editor.Choose(ID_FILE_IMPORT_FAVORITES);
    EXPECT_NE(std::string::npos, editor.Status().find("Imported 3 links")) << editor.Status();
    Shot(editor.frame(), "editor-import.bmp");
    editor.Choose(ID_EDIT_UNDO);
    EXPECT_EQ("TempBM.htm - Zorbit Editor", editor.Title()) << "one Undo takes the whole import back";
    editor.Choose(ID_EDIT_REDO);
    // The first imported title is selected: on the clipboard it is its lines.
    editor.Choose(ID_EDIT_COPY);
    EXPECT_EQ("TITLE \"News\"\r\nSUBMENU \"Weather\"\r\nMENUITEM \"Rain radar;https://example.org/rain\"\r\n"
              "SUBMENU \"END\"\r\nMENUITEM \"Daily news;https://example.org/daily\"\r\nTITLE \"END\"\r\n",
              ClipboardText());
    editor.Choose(ID_FILE_SAVE);
    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000));
    EXPECT_TRUE(editor.messages().empty()) << editor.messages().front();
    const size_t end = before.find("</pre>");
    const std::string added = std::string("TITLE \"News\"\nSUBMENU \"Weather\"\n") +
                              "MENUITEM \"Rain radar;https://example.org/rain\"\nSUBMENU \"END\"\n" +
                              "MENUITEM \"Daily news;https://example.org/daily\"\nTITLE \"END\"\n" +
                              "TITLE \"Favorites\"\nMENUITEM \"Welcome to Zorbit;" + welcome + "\"\nTITLE \"END\"\n";
    EXPECT_EQ(before.substr(0, end) + added + before.substr(end), FileBytes(Page()));

    // The page in the browser, as the installer started it.
    const size_t logged = ReadLogLines(BrowserLog()).size();
    std::string command = "\"" + Env("ZORBIT_E2E_BROWSER_DIR") + "\\iexplore.exe\" \"" + Page() + "\"";
    ASSERT_GT(WinExec(command.c_str(), SW_SHOWDEFAULT), 31u) << command;
    HWND frame = FindBrowserFrame(30000);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(WaitForLogLine(BrowserLog(), "status  sURL ", logged, 20000)) << "the page's plug-in never attached";
    PumpFor(500);
    std::vector<MenuBarLine> menus = DumpMenuBar(frame, BrowserLog());
    std::vector<MenuBarLine> bar = ChildrenOf(menus, "");
    ASSERT_GE(bar.size(), 2u);
    const MenuBarLine news = bar[bar.size() - 2];
    EXPECT_EQ("News", news.text);
    EXPECT_EQ("Favorites", bar.back().text);
    std::vector<MenuBarLine> newsItems = ChildrenOf(menus, news.path);
    ASSERT_EQ(2u, newsItems.size());
    EXPECT_EQ("Weather", newsItems[0].text);
    EXPECT_EQ("Daily news", newsItems[1].text);
    std::vector<MenuBarLine> weather = ChildrenOf(menus, newsItems[0].path);
    ASSERT_EQ(1u, weather.size());
    EXPECT_EQ("Rain radar", weather[0].text);
    std::vector<MenuBarLine> favoriteItems = ChildrenOf(menus, bar.back().path);
    ASSERT_EQ(1u, favoriteItems.size());
    EXPECT_EQ("Welcome to Zorbit", favoriteItems[0].text);

    ExpectChoosingOpens(frame, favoriteItems[0].id, welcome);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    PumpFor(1000);
}

// Ctrl+F's dialog finds the imported links by caption or by address,
// whatever the letter case; F3 looks again for the same text.
TEST_F(EditorInInstalledProduct, FindSelectsEntriesByCaptionOrAddress) {
    Editor editor;
    ASSERT_TRUE(editor.Start());
    PressCtrlKey(editor.frame(), 'F');
    HWND find = editor.WaitForDialog(10000);
    ASSERT_TRUE(find) << "Ctrl+F showed no Find dialog";
    const struct {
        const char* text;
        const char* caption;  // of the entry selected afterwards
        const char* status;
    } kSearches[] = {
        {"RADAR", "Rain radar", "Found"},
        {"example.org/DAILY", "Daily news", "Found"},
        {"nowhere.example", "Daily news", "No caption or address holds"},
    };
    for (const auto& search : kSearches) {
        SCOPED_TRACE(search.text);
        editor.Find(find, search.text);
        EXPECT_EQ(search.caption, editor.Field(IDC_CAPTION));
        EXPECT_EQ(0u, editor.Status().find(search.status)) << editor.Status();
    }
    editor.CloseDialog(find);
    editor.Choose(ID_EDIT_FIND_NEXT);
    EXPECT_EQ(0u, editor.Status().find("No caption or address holds \"nowhere.example\"")) << editor.Status();
    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000)) << "finding changes nothing, so nothing is asked";
}

// The mouse at `at`, with `buttons` (MOUSEEVENTF_LEFTDOWN, ...) changing there.
void MouseAt(POINT at, DWORD buttons = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65536 / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = at.y * 65536 / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
    PumpFor(buttons ? 100 : 60);
}

// An item dragged with the mouse onto the middle of a title's row becomes
// the title's last entry, in one Undo step.
TEST_F(EditorInInstalledProduct, DraggingAnItemOntoATitleMakesItItsLastEntry) {
    Editor editor;
    ASSERT_TRUE(editor.Start());
    editor.Choose(ID_EDIT_FIND);
    HWND find = editor.WaitForDialog(10000);
    ASSERT_TRUE(find);
    editor.Find(find, "Favorites");
    editor.CloseDialog(find);
    ASSERT_EQ("Favorites", editor.Field(IDC_CAPTION));
    // The rows: News, Weather, Rain radar, Daily news, Favorites.
    const POINT title = editor.RowOnScreen(0, 0);
    const POINT item = editor.RowOnScreen(-2, 2);

    SetForegroundWindow(editor.frame());
    editor.Settle();
    MouseAt(item);
    editor.Settle();
    MouseAt(item, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 8; ++step)
        MouseAt({item.x, item.y + (title.y - item.y) * step / 8});
    MouseAt(title, MOUSEEVENTF_LEFTUP);
    editor.Settle();
    EXPECT_EQ("Moved. Undo puts it back.", editor.Status());

    editor.Choose(ID_EDIT_FIND_NEXT);
    ASSERT_EQ("Favorites", editor.Field(IDC_CAPTION));
    editor.Choose(ID_EDIT_COPY);
    const std::string lines = ClipboardText();
    const std::string last = "MENUITEM \"Rain radar;https://example.org/rain\"\r\nTITLE \"END\"\r\n";
    EXPECT_EQ(last, lines.substr(lines.size() - std::min(lines.size(), last.size()))) << lines;

    editor.Choose(ID_EDIT_UNDO);
    EXPECT_EQ("TempBM.htm - Zorbit Editor", editor.Title()) << "one Undo takes the move back";
    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000));
    EXPECT_TRUE(editor.messages().empty()) << editor.messages().front();
}

// Ctrl+Enter hands a link's address to the system; a relative one is taken
// from the page's folder, so here the page itself opens in the browser.
TEST_F(EditorInInstalledProduct, OpenAddressOpensARelativeLinkFromThePagesFolder) {
    // Where Internet Explorer is installed, it opens pages: here that is the test browser.
    const std::string open = "\"" + Env("ZORBIT_E2E_BROWSER_DIR") + "\\iexplore.exe\" \"%1\"";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "htmlfile", 0));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", REG_SZ,
                                          open.c_str(), 0));
    const std::string before = FileBytes(Page());
    Editor editor;
    ASSERT_TRUE(editor.Start());
    editor.Choose(ID_EDIT_ADD_ITEM);
    editor.Type(IDC_CAPTION, "This page");
    editor.Type(IDC_ADDRESS, "../Zorbit/TempBM.htm");
    const size_t logged = ReadLogLines(BrowserLog()).size();
    PressCtrlKey(editor.frame(), VK_RETURN);
    editor.Settle();
    EXPECT_EQ("Opened " + Page(), editor.Status());
    HWND frame = FindBrowserFrame(30000);
    ASSERT_TRUE(frame) << "the system started no browser";
    EXPECT_TRUE(WaitForLogLine(BrowserLog(), "status  sURL ", logged, 20000)) << "the page's plug-in never attached";
    PostMessageA(frame, WM_CLOSE, 0, 0);
    PumpFor(1000);

    editor.AnswerWith(IDC_DONT_SAVE);
    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000));
    EXPECT_EQ(before, FileBytes(Page()));
}

TEST_F(EditorInInstalledProduct, AReadOnlyPageIsNotChangedAndSaveAsIsOffered) {
    const std::string before = FileBytes(Page());
    ASSERT_TRUE(SetFileAttributesA(Page().c_str(), FILE_ATTRIBUTE_READONLY));
    Editor editor;
    ASSERT_TRUE(editor.Start());
    editor.Choose(ID_EDIT_ADD_ITEM);
    editor.AnswerWith(IDNO);  // not under another name
    editor.Choose(ID_FILE_SAVE);
    ASSERT_TRUE(editor.WaitForMessage(10000));
    ASSERT_EQ(1u, editor.messages().size());
    EXPECT_NE(std::string::npos, editor.messages()[0].find("read-only")) << editor.messages()[0];
    EXPECT_NE(std::string::npos, editor.messages()[0].find("another name")) << editor.messages()[0];
    editor.AnswerWith(IDC_DONT_SAVE);
    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000));
    EXPECT_EQ(2u, editor.messages().size()) << "closing asks about the unsaved change";
    EXPECT_EQ(before, FileBytes(Page()));
    SetFileAttributesA(Page().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(EditorInInstalledProduct, BinaryNoiseIsRefusedAndLeftAsItWas) {
    std::string noise;
    for (unsigned i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 2654435761u) >> 24);
    {
        std::ofstream out(Page(), std::ios::binary | std::ios::trunc);
        out << noise;
    }
    Editor editor;
    editor.AnswerWith(IDOK);
    ASSERT_TRUE(editor.Start());
    ASSERT_TRUE(editor.WaitForMessage(10000));
    ASSERT_EQ(1u, editor.messages().size());
    EXPECT_NE(std::string::npos, editor.messages()[0].find("cannot open")) << editor.messages()[0];
    PostMessageA(editor.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.WaitForExit(20000)) << "nothing was changed, so nothing is asked";
    EXPECT_EQ(noise, FileBytes(Page()));
}

}  // namespace

// The start page of the product in our browser host: the plug-in's menus on
// the frame's bar, chosen and highlighted with the keyboard, the About box,
// leaving the page, and many visits in a row.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "tests/plugin_e2e/host_driver.h"
#include "plugin/menus/menu_nesting.h"
#include "tests/support/state_scopes.h"
#include "tools/browser/browser_frame.h"

using namespace plugin_e2e;
using zorbit::browser::BrowserFrame;
using zorbit::browser::BrowserOptions;

namespace {

constexpr int kHostItems = 5;  // File, Edit, View, Go, Help
constexpr DWORD kWaitMs = 10000;

struct Expected {
    const char* text;  // "" for a separator
    UINT id;
    bool popup;
    bool columnBreak;
};

class PluginInHost : public ::testing::Test {
protected:
    static std::string HostDir() { return DosPath(ZORBIT_E2E_HOST_DIR); }
    std::string WebSitePath() const { return HostDir() + "\\WebSite.htm"; }
    std::string StartPagePath() const { return HostDir() + "\\BatchBM.htm"; }

    void SetUp() override {
        WriteProfileStringA("Zorbit", "ZorbitDir", HostDir().c_str());
        ASSERT_NO_FATAL_FAILURE(support::WriteBytes(HostDir() + "\\SetUp.ini",
                                                    "[LocalZB]\r\nPlain page=" + WebSitePath() +
                                                        "\r\nUser Collection=" + HostDir() + "\\TempBM.htm\r\n"));

        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char unique[MAX_PATH];
        ASSERT_NE(0u, GetTempFileNameA(temp, "zbl", 0, unique));
        log_ = unique;

        BrowserOptions options;
        options.pluginDir = HostDir() + "\\Plugins";
        options.logFile = log_;
        options.quitOnClose = false;
        frame_ = std::make_unique<BrowserFrame>(options);
        ASSERT_TRUE(frame_->Create(SW_SHOWNORMAL));
        Pump(100);
        GetWindowRect(frame_->hwnd(), &ownRect_);
        ASSERT_EQ(kHostItems, GetMenuItemCount(GetMenu(frame_->hwnd())));
        ASSERT_TRUE(frame_->OpenPage(StartPagePath()));
        ASSERT_TRUE(WaitForLog("status  sURL ", 0));
        Focus();
    }

    void TearDown() override {
        if (frame_) {
            frame_->Close();
            Pump(100);
            frame_.reset();
        }
        DeleteFileA((HostDir() + "\\SetUp.ini").c_str());
        DeleteFileA(log_.c_str());
    }

    void Focus() {
        SetForegroundWindow(frame_->hwnd());
        SetActiveWindow(frame_->hwnd());
        SetFocus(frame_->hwnd());
        Pump(50);
    }
    void Pump(DWORD ms) { PumpFor(frame_->hwnd(), frame_->accelerators(), ms); }
    bool PumpUntilTrue(const std::function<bool()>& condition, DWORD ms = kWaitMs) {
        return PumpUntil(frame_->hwnd(), frame_->accelerators(), condition, ms);
    }
    size_t LogSize() const { return ReadLines(log_).size(); }
    bool WaitForLog(const std::string& line, size_t from, DWORD ms = kWaitMs) {
        return PumpUntilTrue(
            [&] {
                const auto lines = ReadLines(log_);
                for (size_t i = from; i < lines.size(); ++i)
                    if (lines[i] == line)
                        return true;
                return false;
            },
            ms);
    }
    int CountLog(const std::string& prefix, size_t from) const {
        int count = 0;
        const auto lines = ReadLines(log_);
        for (size_t i = from; i < lines.size(); ++i)
            count += lines[i].compare(0, prefix.size(), prefix) == 0;
        return count;
    }
    bool BarIsTheHostsOwn() {
        const auto bar = ReadMenu(GetMenu(frame_->hwnd()));
        const char* names[] = {"&File", "&Edit", "&View", "&Go", "&Help"};
        if (bar.size() != kHostItems)
            return false;
        for (int i = 0; i < kHostItems; ++i)
            if (bar[i].text != names[i])
                return false;
        return true;
    }
    void LeaveThroughTheCollectionMenu() {
        const size_t from = LogSize();
        RunAsUser([&] {
            TypeKeys({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN});
            UserWaitsFor([] { return false; }, 100);
            TypeKeys({VK_RETURN});
        });
        ASSERT_TRUE(WaitForLog("navigate file:///" + WebSitePath() + " target=_top", from));
        ASSERT_TRUE(WaitForLog("open " + WebSitePath(), from));
        ASSERT_TRUE(PumpUntilTrue([&] { return BarIsTheHostsOwn(); }));
    }
    void ExpectMenu(HMENU menu, const std::vector<Expected>& expected, const std::string& name) {
        SCOPED_TRACE(name);
        const auto items = ReadMenu(menu);
        ASSERT_EQ(expected.size(), items.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("item " + std::to_string(i));
            if (!*expected[i].text) {
                EXPECT_TRUE(items[i].type & MFT_SEPARATOR);
                continue;
            }
            EXPECT_EQ(expected[i].text, items[i].text);
            if (!expected[i].popup) {
                EXPECT_EQ(expected[i].id, items[i].id);
            }
            EXPECT_EQ(expected[i].popup, items[i].submenu != nullptr);
            EXPECT_EQ(expected[i].columnBreak, (items[i].type & MFT_MENUBARBREAK) != 0);
        }
    }

    // The user's side runs on a thread of its own, so that the frame's thread
    // keeps handling messages (menu loops and the About box included) while
    // the user types and waits. A user that is stuck is freed with Escape.
    void RunAsUser(const std::function<void()>& script, DWORD ms = 30000) {
        std::atomic<bool> done{false};
        std::thread user([&] {
            script();
            done = true;
        });
        const bool finished = PumpUntilTrue([&] { return done.load(); }, ms);
        while (!done) {
            TypeKeys({VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
            Pump(200);
        }
        user.join();
        EXPECT_TRUE(finished) << "the user's steps did not finish in time";
    }
    // For the user's thread: waits without pumping.
    bool UserWaitsFor(const std::function<bool()>& condition, DWORD ms = kWaitMs) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > ms)
                return false;
            Sleep(2);
        }
        return true;
    }
    bool LogHas(const std::string& line, size_t from) const {
        const auto lines = ReadLines(log_);
        for (size_t i = from; i < lines.size(); ++i)
            if (lines[i] == line)
                return true;
        return false;
    }
    std::string Status() const {
        char text[1024] = "";
        DWORD_PTR length = 0;
        SendMessageTimeoutA(frame_->statusBar(), SB_GETTEXTLENGTHA, 0, 0, SMTO_NORMAL, 1000, &length);
        if (LOWORD(length) >= sizeof(text))
            return std::string();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(frame_->statusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000,
                            &ignored);
        return text;
    }

    // Menus open on the screen: the windows of the menu class that show.
    static int OpenMenus() {
        int count = 0;
        for (HWND menu = nullptr; (menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr;)
            count += IsWindowVisible(menu) ? 1 : 0;
        return count;
    }

    support::ZorbitProfileScope profile_;
    std::unique_ptr<BrowserFrame> frame_;
    std::string log_;
    RECT ownRect_{};
};

TEST_F(PluginInHost, StartPagePutsItsMenusAfterTheHostsOwn) {
    const auto bar = ReadMenu(GetMenu(frame_->hwnd()));
    ASSERT_EQ(kHostItems + 2u + 4u, bar.size());
    EXPECT_EQ("&Help", bar[4].text);
    EXPECT_TRUE(bar[5].type & MFT_BITMAP);
    EXPECT_EQ(100u, bar[5].id);
    EXPECT_EQ(nullptr, bar[5].submenu);
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(bar[5].bitmap));
    EXPECT_TRUE(bar[6].type & MFT_BITMAP);
    ASSERT_NE(nullptr, bar[6].submenu);
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(bar[6].bitmap));
    const char* titles[] = {"News", "Reference", "Search", "Developers"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(titles[i], bar[7 + i].text);
        EXPECT_NE(nullptr, bar[7 + i].submenu);
        EXPECT_FALSE(bar[7 + i].type & (MFT_BITMAP | MFT_MENUBARBREAK));
    }

    const char* collections[] = {"Plain page", "User Collection", "Zorbit start page", "Search the Web",
                                 "Encyclopedia", "Dictionary", "", "World news", "Weather", "Maps",
                                 "Free books", "Open courses", "Web archive", "", "Web standards",
                                 "C++ reference", "Wine"};
    std::vector<Expected> collectionMenu;
    for (UINT i = 0; i < sizeof(collections) / sizeof(collections[0]); ++i)
        collectionMenu.push_back({collections[i], 2998 - i, false, false});
    collectionMenu.push_back({"About Zorbit", 2999, false, false});
    ExpectMenu(bar[6].submenu, collectionMenu, "collection popup");

    ExpectMenu(bar[7].submenu,
               {{"BBC News", 3001, false, false}, {"Reuters", 3002, false, false},
                {"Associated Press", 3003, false, false}, {"NPR", 3004, false, false},
                {"The Guardian", 3005, false, false}, {"", 0, false, false},
                {"Science and technology", 0, true, false}, {"Weather", 0, true, false}},
               "News");
    ExpectMenu(GetSubMenu(bar[7].submenu, 6),
               {{"Nature News", 3008, false, false}, {"Ars Technica", 3009, false, false},
                {"Hacker News", 3010, false, false}},
               "News > Science and technology");
    ExpectMenu(bar[8].submenu,
               {{"Wikipedia", 3015, false, false}, {"Wiktionary", 3016, false, false},
                {"Britannica", 3017, false, false}, {"Merriam-Webster", 3018, false, false},
                {"", 0, false, false}, {"Maps", 0, true, false}, {"Books", 0, true, false},
                {"Time and date", 3028, false, true}, {"Unit converter", 3029, false, false},
                {"Currency rates", 3030, false, false}},
               "Reference");
}

TEST_F(PluginInHost, KeyboardHighlightShowsTheAddressThenEnterOpensItInTheContentWindow) {
    const size_t from = LogSize();
    const int forwardedBefore = PluginMessagesSeen();
    DWORD shownAfter = 0;
    bool firstShown = false;
    bool secondShown = false;
    RunAsUser([&] {
        // F10 takes the bar; News is the eighth item (five of the host's, the
        // divider, the collection picture); Down opens it on its first item.
        const DWORD typed = GetTickCount();
        TypeKeys({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN});
        firstShown = UserWaitsFor([&] { return Status() == "https://www.bbc.com/news"; });
        shownAfter = GetTickCount() - typed;
        TypeKeys({VK_DOWN});
        secondShown = UserWaitsFor([&] { return Status() == "https://www.reuters.com/"; });
        TypeKeys({VK_RETURN});
        UserWaitsFor([&] { return LogHas("navigate https://www.reuters.com/ target=Vantrel_Content", from); });
    });
    EXPECT_TRUE(firstShown);
    EXPECT_TRUE(secondShown);
    EXPECT_GE(shownAfter, 40u);
    std::printf("highlight to status line: %lu ms after the keys were typed\n", shownAfter);
    EXPECT_EQ(1, CountLog("status https://www.bbc.com/news", from));
    EXPECT_TRUE(LogHas("navigate https://www.reuters.com/ target=Vantrel_Content", from));
    EXPECT_EQ(1, CountLog("navigate ", from));
    EXPECT_GT(PluginMessagesSeen(), forwardedBefore);
}

TEST_F(PluginInHost, CollectionItemOpensInTopAndTheBarGoesBackToTheHostsOwn) {
    LeaveThroughTheCollectionMenu();
    EXPECT_TRUE(BarIsTheHostsOwn());
    RECT rect;
    GetWindowRect(frame_->hwnd(), &rect);
    EXPECT_EQ(ownRect_.left, rect.left);
    EXPECT_EQ(ownRect_.top, rect.top);
    EXPECT_EQ(ownRect_.right, rect.right);
    EXPECT_EQ(ownRect_.bottom, rect.bottom);
}

TEST_F(PluginInHost, AboutShowsTheBoxAndOpensNothing) {
    std::string text;
    HWND owner = nullptr;
    bool found = false;
    const size_t from = LogSize();
    RunAsUser([&] {
        // Up from the first collection item wraps to the last, About Zorbit.
        TypeKeys({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_UP});
        UserWaitsFor([] { return false; }, 100);
        TypeKeys({VK_RETURN});
        HWND box = nullptr;
        found = UserWaitsFor([&] { return (box = FindWindowA("#32770", "About Zorbit")) != nullptr; });
        if (!found)
            return;
        char buffer[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
        text = buffer;
        owner = GetWindow(box, GW_OWNER);
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        UserWaitsFor([&] { return !IsWindow(box); });
    });
    ASSERT_TRUE(found);
    EXPECT_EQ(
        "Zorbit Plugin, version 0.2.2\n\n"
        "Copyright (c) Vantrel Software Inc. All rights reserved.\n\n"
        "\t\tVantrel Software Inc., 2140 Larkspur Avenue, Suite 300, Portland, OR 97205 \n\n"
        "\t\t\t http://www.vantrel.example/zorbit/",
        text);
    EXPECT_EQ(frame_->hwnd(), owner);
    EXPECT_EQ(nullptr, FindWindowA("#32770", "About Zorbit"));
    Pump(200);
    EXPECT_EQ(0, CountLog("navigate ", from));
    EXPECT_EQ(0, CountLog("open ", from));
}

TEST_F(PluginInHost, FiftyVisitsLeaveNothingBehind) {
    LeaveThroughTheCollectionMenu();
    int menus = 0;
    int gdiObjects = 0;
    DWORD guiGdi = 0;
    DWORD guiUser = 0;
    int attachedMenus = 0;
    int attachedGdi = 0;
    for (int visit = 1; visit <= 50; ++visit) {
        SCOPED_TRACE("visit " + std::to_string(visit));
        size_t from = LogSize();
        TypeKeys({kAlt | VK_LEFT});
        ASSERT_TRUE(WaitForLog("open " + StartPagePath(), from));
        ASSERT_TRUE(WaitForLog("status  sURL ", from));
        ASSERT_EQ(kHostItems + 6, GetMenuItemCount(GetMenu(frame_->hwnd())));
        if (visit == 1) {
            // The probes see the plug-in's menus and pictures while they are up.
            attachedMenus = LiveMenus();
            attachedGdi = LiveGdiObjects();
        }
        from = LogSize();
        TypeKeys({kAlt | VK_RIGHT});
        ASSERT_TRUE(WaitForLog("open " + WebSitePath(), from));
        ASSERT_TRUE(PumpUntilTrue([&] { return BarIsTheHostsOwn(); }));
        Pump(20);
        if (visit == 1 || visit == 50) {
            const int nowMenus = LiveMenus();
            const int nowGdi = LiveGdiObjects();
            const DWORD nowGuiGdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
            const DWORD nowGuiUser = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
            std::printf("after visit %d: %d menus, %d GDI objects (probed); GetGuiResources GDI %lu, USER %lu\n",
                        visit, nowMenus, nowGdi, nowGuiGdi, nowGuiUser);
            if (visit == 1) {
                EXPECT_GE(attachedMenus, nowMenus + 6);  // collection, holder, 4 titles (+ submenus)
                EXPECT_GE(attachedGdi, nowGdi + 2);      // face and divider pictures
                menus = nowMenus;
                gdiObjects = nowGdi;
                guiGdi = nowGuiGdi;
                guiUser = nowGuiUser;
            } else {
                EXPECT_EQ(menus, nowMenus);
                EXPECT_EQ(gdiObjects, nowGdi);
                EXPECT_EQ(guiGdi, nowGuiGdi);
                EXPECT_EQ(guiUser, nowGuiUser);
            }
        }
    }
    RECT rect;
    GetWindowRect(frame_->hwnd(), &rect);
    EXPECT_EQ(ownRect_.right - ownRect_.left, rect.right - rect.left);
    EXPECT_EQ(ownRect_.bottom - ownRect_.top, rect.bottom - rect.top);

    // No hook is left to forward a command in the plug-in's range.
    const int forwarded = PluginMessagesSeen();
    const size_t from = LogSize();
    PostMessageA(frame_->hwnd(), WM_COMMAND, 3001, 0);
    Pump(200);
    EXPECT_EQ(forwarded, PluginMessagesSeen());
    EXPECT_EQ(0, CountLog("navigate ", from));

    // The host unloads the library when it closes; a hook of it left
    // behind would then run unmapped code at the next message.
    frame_->Close();
    Pump(100);
    frame_.reset();
    EXPECT_EQ(nullptr, GetModuleHandleA("npzrbit.dll"));
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(probe, WM_COMMAND, 3001, 0);
    PumpFor(nullptr, nullptr, 300);
    DestroyWindow(probe);
}

// Pages nesting their menus far deeper than the platform can tear down come,
// are opened with the keyboard down to their deepest menu, and go; the host
// keeps its own bar and goes on.
TEST_F(PluginInHost, HostileNestingIsShownAndLeftWithTheHostAlive) {
    support::TempFolder folder;
    std::string deep = "TITLE \"Deep\"\r\n";
    for (int i = 0; i < 10000; ++i)
        deep += "SUBMENU \"s\"\r\n";
    deep += "MENUITEM \"Bottom;bottom.htm\"\r\n";
    std::string alternating = "TITLE \"Alternating\"\r\n";
    for (int i = 0; i < 50000; ++i)
        alternating += "SUBMENU \"s\"\r\nMENUITEM \"i;i.htm\"\r\n";
    // Keys from a menu to the next level: below the title, the alternating
    // page's submenus come second.
    const struct {
        const char* name;
        const std::string& definition;
        bool submenuSecond;
    } pages[] = {{"deep.htm", deep, false}, {"alternating.htm", alternating, true}};

    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        const DWORD start = GetTickCount();
        // In a comment: the plug-in reads it all the same, and the host need
        // not lay out a page of 100,000 lines.
        const std::string embed = std::string("<embed type=\"application/vnd.vantrel-zorbit\" filename=\"") + page.name;
        support::WriteBytes(folder / page.name,
                            "<html><body>\r\n" + embed + "\">\r\n<!--\r\n" + page.definition + "-->\r\n");
        ASSERT_TRUE(frame_->OpenPage(folder / page.name));
        ASSERT_TRUE(PumpUntilTrue([&] { return GetMenuItemCount(GetMenu(frame_->hwnd())) == kHostItems + 3; }));

        // F10 and seven steps right reach the title and Down opens it.
        int opened = 0;
        RunAsUser([&] {
            TypeKeys({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN});
            for (int level = 1; level <= zorbit::kMaxMenuLevels; ++level) {
                if (level > 1 && page.submenuSecond)
                    TypeKeys({VK_DOWN});
                if (level > 1)
                    TypeKeys({VK_RIGHT});
                if (!UserWaitsFor([&] { return OpenMenus() >= level; }))
                    break;
                opened = level;
            }
            for (int level = 0; level <= opened; ++level)
                TypeKeys({VK_ESCAPE});
            UserWaitsFor([&] { return OpenMenus() == 0; });
        });
        EXPECT_EQ(zorbit::kMaxMenuLevels, opened);

        const size_t from = LogSize();
        ASSERT_TRUE(frame_->OpenPage(WebSitePath()));
        ASSERT_TRUE(WaitForLog("open " + WebSitePath(), from));
        ASSERT_TRUE(PumpUntilTrue([&] { return BarIsTheHostsOwn(); }));
        DWORD_PTR answer = 0;
        EXPECT_NE(0, SendMessageTimeoutA(frame_->hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &answer));
        std::printf("%s: shown down to level %d and left in %lu ms\n", page.name, opened, GetTickCount() - start);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>

#include "plugin/menubar/plugin_module.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/menu_nesting.h"
#include "tests/menubar/menubar_fixture.h"

using namespace menubar_test;

namespace {

class InstallMenusTest : public ::testing::Test {
protected:
    void SetUp() override { SetPluginModule(GetModuleHandleA(nullptr)); }

    void Add(const char* name, EntryKind kind, int depth) {
        data.definitionEntries.push_back(Entry(name, kind, depth));
    }
    void AddCollection(const char* name, EntryKind kind) {
        data.collectionEntries.push_back(Entry(name, kind, 0));
    }
    // The menu of the title that is item `position` of the bar.
    HMENU TitleMenu(int position) { return ReadItem(frame.bar(), position).submenu; }
    HMENU Holder() { return SetOf(data).createdMenus.at(1); }

    Frame frame;
    CBarMenuData data;
};

void ExpectItem(const MenuItem& item, UINT type, UINT id, const char* text, int line) {
    SCOPED_TRACE(testing::Message() << "item checked at line " << line);
    EXPECT_EQ(type, item.type);
    EXPECT_EQ(id, item.id);
    EXPECT_EQ(text, item.text);
}
#define EXPECT_ITEM(item, type, id, text) ExpectItem(item, type, id, text, __LINE__)

TEST_F(InstallMenusTest, WorkedExampleFollowsTheBrowsersMenus) {
    AddCollection("Local pages", Item);
    AddCollection("", Separator);
    AddCollection("More pages", Item);
    AddWorkedExample(data);

    ASSERT_EQ(3, GetMenuItemCount(frame.bar()));
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    EXPECT_EQ(frame.hwnd(), SetOf(data).frameWnd);
    EXPECT_EQ(frame.bar(), SetOf(data).frameMenu);
    EXPECT_EQ(3, SetOf(data).baseItemCount);

    std::vector<MenuItem> bar = ReadItems(frame.bar());
    ASSERT_EQ(6u, bar.size());
    EXPECT_EQ("File", bar[0].text);
    EXPECT_EQ("View", bar[2].text);

    EXPECT_EQ(static_cast<UINT>(MFT_BITMAP), bar[3].type);
    EXPECT_EQ(100u, bar[3].id);
    EXPECT_EQ(nullptr, bar[3].submenu);
    EXPECT_EQ(SetOf(data).dividerBitmap, bar[3].bitmap);
    EXPECT_NE(nullptr, SetOf(data).dividerBitmap);

    EXPECT_EQ(static_cast<UINT>(MFT_BITMAP), bar[4].type);
    EXPECT_EQ(SetOf(data).faceBitmap, bar[4].bitmap);
    EXPECT_NE(nullptr, SetOf(data).faceBitmap);
    ASSERT_EQ(3u, SetOf(data).createdMenus.size());
    EXPECT_EQ(SetOf(data).createdMenus[0], bar[4].submenu);

    std::vector<MenuItem> collections = ReadItems(bar[4].submenu);
    ASSERT_EQ(4u, collections.size());
    EXPECT_ITEM(collections[0], MFT_STRING, 2998, "Local pages");
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), collections[1].type);
    EXPECT_ITEM(collections[2], MFT_STRING, 2996, "More pages");
    EXPECT_ITEM(collections[3], MFT_STRING, 2999, "About Zorbit");

    EXPECT_EQ("Reading", bar[5].text);
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), bar[5].type);
    EXPECT_EQ(SetOf(data).createdMenus[2], bar[5].submenu);
    std::vector<MenuItem> reading = ReadItems(bar[5].submenu);
    ASSERT_EQ(4u, reading.size());
    EXPECT_ITEM(reading[0], MFT_STRING, 3001, "Daily news");
    EXPECT_EQ("Archive", reading[1].text);
    ASSERT_NE(nullptr, reading[1].submenu);
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), reading[1].type);
    std::vector<MenuItem> archive = ReadItems(reading[1].submenu);
    ASSERT_EQ(1u, archive.size());
    EXPECT_ITEM(archive[0], MFT_STRING, 3003, "1998");
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), reading[2].type);
    EXPECT_ITEM(reading[3], MFT_STRING | MFT_MENUBARBREAK, 3006, "Help");

    for (HMENU created : SetOf(data).createdMenus)
        EXPECT_NE(reading[1].submenu, created) << "submenus are not recorded";
    EXPECT_EQ(0, GetMenuItemCount(Holder()));
}

TEST_F(InstallMenusTest, EmptyDefinitionWithoutCollectionsGivesDividerAndAbout) {
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    std::vector<MenuItem> bar = ReadItems(frame.bar());
    ASSERT_EQ(5u, bar.size());
    EXPECT_EQ(100u, bar[3].id);
    std::vector<MenuItem> popup = ReadItems(bar[4].submenu);
    ASSERT_EQ(1u, popup.size());
    EXPECT_ITEM(popup[0], MFT_STRING, 2999, "About Zorbit");
    EXPECT_EQ(2u, SetOf(data).createdMenus.size());
}

TEST_F(InstallMenusTest, EntriesBeforeTheFirstTitleStayInTheHolder) {
    Add("Hidden", Item, 0);
    Add("Reading", Title, 0);
    Add("Shown", Item, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    ASSERT_EQ(6, GetMenuItemCount(frame.bar()));
    std::vector<MenuItem> holder = ReadItems(Holder());
    ASSERT_EQ(1u, holder.size());
    EXPECT_ITEM(holder[0], MFT_STRING, 3000, "Hidden");
    std::vector<MenuItem> title = ReadItems(TitleMenu(5));
    ASSERT_EQ(1u, title.size());
    EXPECT_ITEM(title[0], MFT_STRING, 3002, "Shown");
}

TEST_F(InstallMenusTest, DepthZeroEntriesAfterAClosedTitleGoToTheHolder) {
    Add("Reading", Title, 0);
    Add("Inside", Item, 1);
    // "TITLE" "END" adds no entry; the next ones are at depth 0.
    Add("Outside", Item, 0);
    Add("", Separator, 0);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    ASSERT_EQ(6, GetMenuItemCount(frame.bar()));
    std::vector<MenuItem> title = ReadItems(TitleMenu(5));
    ASSERT_EQ(1u, title.size());
    EXPECT_ITEM(title[0], MFT_STRING, 3001, "Inside");
    std::vector<MenuItem> holder = ReadItems(Holder());
    ASSERT_EQ(2u, holder.size());
    EXPECT_ITEM(holder[0], MFT_STRING, 3002, "Outside");
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), holder[1].type);
}

TEST_F(InstallMenusTest, BreakBeforeATitleGoesToTheTitlesFirstItem) {
    Add("", Break, 0);
    Add("Reading", Title, 0);
    Add("First", Item, 1);
    Add("Second", Item, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    MenuItem title = ReadItem(frame.bar(), 5);
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), title.type) << "the bar item takes no break";
    std::vector<MenuItem> items = ReadItems(title.submenu);
    ASSERT_EQ(2u, items.size());
    EXPECT_ITEM(items[0], MFT_STRING | MFT_MENUBARBREAK, 3002, "First");
    EXPECT_ITEM(items[1], MFT_STRING, 3003, "Second");
}

TEST_F(InstallMenusTest, BreaksInARowGiveOneColumnAndATrailingBreakNone) {
    Add("Reading", Title, 0);
    Add("a", Item, 1);
    Add("", Break, 1);
    Add("", Break, 1);
    Add("b", Item, 1);
    Add("c", Item, 1);
    Add("", Break, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    std::vector<MenuItem> items = ReadItems(TitleMenu(5));
    ASSERT_EQ(3u, items.size());
    EXPECT_ITEM(items[0], MFT_STRING, 3001, "a");
    EXPECT_ITEM(items[1], MFT_STRING | MFT_MENUBARBREAK, 3004, "b");
    EXPECT_ITEM(items[2], MFT_STRING, 3005, "c");
}

TEST_F(InstallMenusTest, SubmenusAndSeparatorsConsumeBreaks) {
    Add("Reading", Title, 0);
    Add("", Break, 1);
    Add("Archive", Submenu, 1);
    Add("", Separator, 2);
    Add("1998", Item, 2);
    Add("", Break, 2);
    Add("", Separator, 2);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    std::vector<MenuItem> title = ReadItems(TitleMenu(5));
    ASSERT_EQ(1u, title.size());
    EXPECT_EQ(static_cast<UINT>(MFT_STRING | MFT_MENUBARBREAK), title[0].type);
    EXPECT_EQ("Archive", title[0].text);
    std::vector<MenuItem> archive = ReadItems(title[0].submenu);
    ASSERT_EQ(3u, archive.size());
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), archive[0].type) << "no other flag";
    EXPECT_ITEM(archive[1], MFT_STRING, 3004, "1998");
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR | MFT_MENUBARBREAK), archive[2].type);
}

TEST_F(InstallMenusTest, DepthJumpAppendsToTheCurrentMenu) {
    Add("Reading", Title, 0);
    Add("Deep", Item, 3);
    Add("Archive", Submenu, 1);
    Add("Deeper", Item, 5);
    Add("Back", Item, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    std::vector<MenuItem> title = ReadItems(TitleMenu(5));
    ASSERT_EQ(3u, title.size());
    EXPECT_ITEM(title[0], MFT_STRING, 3001, "Deep");
    EXPECT_EQ("Archive", title[1].text);
    EXPECT_ITEM(title[2], MFT_STRING, 3004, "Back");
    std::vector<MenuItem> archive = ReadItems(title[1].submenu);
    ASSERT_EQ(1u, archive.size());
    EXPECT_ITEM(archive[0], MFT_STRING, 3003, "Deeper");
}

TEST_F(InstallMenusTest, TitleInsideATitleIsAnotherBarPopup) {
    Add("Reading", Title, 0);
    Add("a", Item, 1);
    Add("Writing", Title, 1);  // a title while the count is above 0
    Add("b", Item, 2);
    Add("c", Item, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    ASSERT_EQ(7, GetMenuItemCount(frame.bar()));
    EXPECT_EQ("Writing", ReadItem(frame.bar(), 6).text);
    std::vector<MenuItem> reading = ReadItems(TitleMenu(5));
    ASSERT_EQ(2u, reading.size());
    EXPECT_ITEM(reading[1], MFT_STRING, 3004, "c");
    std::vector<MenuItem> writing = ReadItems(TitleMenu(6));
    ASSERT_EQ(1u, writing.size());
    EXPECT_ITEM(writing[0], MFT_STRING, 3003, "b");
    EXPECT_EQ(4u, SetOf(data).createdMenus.size());
}

TEST_F(InstallMenusTest, NegativeDepthEndsInTheHolderWithoutHanging) {
    Add("Reading", Title, 0);
    Add("a", Item, 1);
    Add("odd", Item, -1);
    Add("b", Item, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    EXPECT_EQ(1, GetMenuItemCount(TitleMenu(5)));
    std::vector<MenuItem> holder = ReadItems(Holder());
    ASSERT_EQ(2u, holder.size());
    EXPECT_EQ("odd", holder[0].text);
    EXPECT_EQ("b", holder[1].text);
}

TEST_F(InstallMenusTest, NullFrameDoesNothing) {
    AddWorkedExample(data);
    EXPECT_EQ(0, data.InstallMenus(nullptr));
    EXPECT_TRUE(SetOf(data).createdMenus.empty());
    EXPECT_EQ(nullptr, SetOf(data).faceBitmap);
    EXPECT_EQ(nullptr, SetOf(data).dividerBitmap);
    EXPECT_EQ(nullptr, SetOf(data).frameWnd);
    EXPECT_EQ(3, GetMenuItemCount(frame.bar()));
}

TEST_F(InstallMenusTest, SecondInstallationUndoesTheFirst) {
    AddWorkedExample(data);
    Frame other;
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    std::vector<HMENU> first = SetOf(data).createdMenus;
    HBITMAP firstFace = SetOf(data).faceBitmap;

    ASSERT_EQ(1, data.InstallMenus(other.hwnd()));
    EXPECT_EQ(3, GetMenuItemCount(frame.bar()));
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_FALSE(IsMenu(first[i])) << "first installation's menu " << i;
    BITMAP info;
    EXPECT_EQ(0, GetObjectA(firstFace, sizeof(info), &info));
    EXPECT_EQ(6, GetMenuItemCount(other.bar()));
    EXPECT_EQ(other.hwnd(), SetOf(data).frameWnd);

    // Again into the same frame: still one set of menus.
    ASSERT_EQ(1, data.InstallMenus(other.hwnd()));
    EXPECT_EQ(6, GetMenuItemCount(other.bar()));
    EXPECT_EQ(3u, SetOf(data).createdMenus.size());
    EXPECT_EQ(3, SetOf(data).baseItemCount);
}

// The pictures as the resources hold them: 16 colours, the sizes of the
// menu bar, the standard menu grey around the drawing, and 140 a copy of 134.
const BITMAPINFOHEADER* PictureResource(int number, DWORD* size) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(2));
    if (!found)
        return nullptr;
    *size = SizeofResource(module, found);
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
}

TEST(MenuPictures, SixteenColourBitmapsOfTheMenuBarSizes) {
    struct Case { int number; LONG width; LONG height; } cases[] = {
        {134, 33, 23}, {139, 3, 22}, {140, 33, 23}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "picture " << c.number);
        DWORD size = 0;
        const BITMAPINFOHEADER* header = PictureResource(c.number, &size);
        ASSERT_NE(nullptr, header);
        EXPECT_EQ(4, header->biBitCount);
        EXPECT_EQ(c.width, header->biWidth);
        EXPECT_EQ(c.height, header->biHeight);
    }
    DWORD faceSize = 0, copySize = 0;
    const void* face = PictureResource(134, &faceSize);
    const void* copy = PictureResource(140, &copySize);
    ASSERT_EQ(faceSize, copySize);
    EXPECT_EQ(0, memcmp(face, copy, faceSize));
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

TEST_F(InstallMenusTest, PicturesLoadedWithTheirLook) {
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    BITMAP info = {};
    ASSERT_EQ(static_cast<int>(sizeof(info)), GetObjectA(SetOf(data).faceBitmap, sizeof(info), &info));
    EXPECT_EQ(33, info.bmWidth);
    EXPECT_EQ(23, info.bmHeight);
    ASSERT_EQ(static_cast<int>(sizeof(info)), GetObjectA(SetOf(data).dividerBitmap, sizeof(info), &info));
    EXPECT_EQ(3, info.bmWidth);
    EXPECT_EQ(22, info.bmHeight);

    const COLORREF menuGrey = RGB(192, 192, 192);
    EXPECT_EQ(menuGrey, PixelOf(SetOf(data).faceBitmap, 0, 0));
    EXPECT_EQ(menuGrey, PixelOf(SetOf(data).faceBitmap, 32, 22));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(SetOf(data).faceBitmap, 2, 10)) << "lit side of the bar";
    EXPECT_EQ(RGB(128, 128, 128), PixelOf(SetOf(data).faceBitmap, 4, 10)) << "shaded side of the bar";
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(SetOf(data).faceBitmap, 19, 18)) << "tip of the triangle";
    for (int y : {0, 21}) {
        EXPECT_EQ(RGB(128, 128, 128), PixelOf(SetOf(data).dividerBitmap, 0, y));
        EXPECT_EQ(RGB(255, 255, 255), PixelOf(SetOf(data).dividerBitmap, 1, y));
        EXPECT_EQ(menuGrey, PixelOf(SetOf(data).dividerBitmap, 2, y));
    }
}

// WM_COMMAND and WM_MENUSELECT carry 16 bits: an item whose identifier would
// not fit is greyed and has none, so it neither opens nor shows another
// entry's address.
TEST_F(InstallMenusTest, ItemsBeyondIdentifier65535AreGreyedWithoutIdentifier) {
    for (int i = 0; i < 3001; ++i)
        AddCollection("Collection", Item);
    Add("Big", Title, 0);
    while (data.definitionEntries.size() < 62535)
        Add("", Break, 1);  // breaks use up indices without making items
    Add("Last", Item, 1);    // 62535: 65535
    Add("Beyond", Item, 1);  // 62536
    Add("Sub", Submenu, 1);
    Add("Deeper", Item, 2);  // 62538
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));

    HMENU collections = ReadItem(frame.bar(), 4).submenu;
    HMENU big = TitleMenu(5);
    struct Case { HMENU menu; int position; UINT id; bool greyed; } cases[] = {
        {collections, 2997, 1, false},
        {collections, 2998, 0, false},  // identifier 2998 - 2998
        {collections, 2999, zorbit::kNoCommand, true},
        {collections, 3000, zorbit::kNoCommand, true},
        {collections, 3001, zorbit::kAboutCommand, false},
        {big, 0, 65535, false},
        {big, 1, zorbit::kNoCommand, true},
        {ReadItem(big, 2).submenu, 0, zorbit::kNoCommand, true},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const MenuItem item = ReadItem(cases[i].menu, cases[i].position);
        EXPECT_EQ(cases[i].id, item.id);
        EXPECT_EQ(cases[i].greyed, (item.state & MFS_GRAYED) != 0);
    }
    EXPECT_EQ("Deeper", ReadItem(ReadItem(big, 2).submenu, 0).text);
}

// A title, then submenus down to the deepest level; deeper submenus open
// nothing: their captions and entries follow in the deepest menu, in order.
TEST_F(InstallMenusTest, EntriesPastTheDeepestLevelLandInItInOrder) {
    const int deepest = zorbit::kMaxMenuLevels;
    Add("T", Title, 0);
    for (int depth = 1; depth < deepest; ++depth)
        Add("s", Submenu, depth);
    const struct {
        const char* name;
        EntryKind kind;
        int depth;
        int level;     // of the menu it lands in, the title's being 1
        int position;  // in that menu
        bool greyed;
    } cases[] = {
        {"a", Item, deepest, deepest, 0, false},         {"x", Submenu, deepest, deepest, 1, true},
        {"b", Item, deepest + 1, deepest, 2, false},     {"y", Submenu, deepest + 1, deepest, 3, true},
        {"c", Item, deepest + 2, deepest, 4, false},     {"d", Item, 100000, deepest, 5, false},
        {"e", Item, deepest, deepest, 6, false},         {"f", Item, deepest - 1, deepest - 1, 1, false},
    };
    for (const auto& c : cases)
        Add(c.name, c.kind, c.depth);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));

    std::vector<HMENU> levels = {nullptr, TitleMenu(5)};
    while (HMENU next = GetSubMenu(levels.back(), 0))
        levels.push_back(next);
    ASSERT_EQ(static_cast<size_t>(deepest) + 1, levels.size()) << "no menu opens below the deepest level";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MenuItem item = ReadItem(levels[c.level], c.position);
        EXPECT_EQ(c.name, item.text);
        EXPECT_EQ(nullptr, item.submenu);
        EXPECT_EQ(c.greyed, (item.state & MFS_GRAYED) != 0);
    }
}

// The platform copies a menu's whole item list on each append.
TEST_F(InstallMenusTest, AMenuTakesItsFirst4096EntriesAndLeavesOutTheRest) {
    Add("T", Title, 0);
    for (size_t i = 1; i < zorbit::kMaxMenuEntries; ++i)
        Add("", Separator, 1);
    Add("Last", Item, 1);
    Add("Left out", Submenu, 1);
    Add("Inside it", Item, 2);
    Add("Left out too", Item, 1);
    ASSERT_EQ(1, data.InstallMenus(frame.hwnd()));
    const std::vector<MenuItem> items = ReadItems(TitleMenu(5));
    ASSERT_EQ(zorbit::kMaxMenuEntries, items.size());
    EXPECT_EQ("Last", items.back().text);
    EXPECT_EQ(3u, SetOf(data).createdMenus.size()) << "collection popup, holder, title";
}

}  // namespace

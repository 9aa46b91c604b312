#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "installer/integration/bookmark_entry.h"
#include "installer/integration/bookmark_file.h"
#include "installer/integration/install_steps.h"
#include "test_support.h"

namespace {

const char* const kUsers = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";

std::string Entry(const std::string& address) {
    return "    <DT><A HREF=\"" + address + "\">Welcome to Zorbit</A>\r\n";
}

// A Netscape user "tester" whose directory is a temporary folder, and a
// product directory of its own.
class NetscapeBookmark : public ::testing::Test {
protected:
    void SetUp() override {
        registry_.SetText(HKEY_LOCAL_MACHINE, kUsers, "CurrentUser", "tester");
        registry_.SetText(HKEY_LOCAL_MACHINE, std::string(kUsers) + "\\tester", "DirRoot", user_.Path());
        state_.productDirectory = product_.Path();
        state_.installRecordPath = product_ / "SetUp.ini";
    }

    std::string Bookmarks(const char* name = "bookmark.htm") const { return user_ / name; }
    std::string ExpectedEntry() const { return BookmarkEntryLine(product_.Path()); }

    RegistryScope registry_;
    TempFolder user_{"zbu"};
    TempFolder product_{"zbp"};
    InstallState state_;
};

TEST(BookmarkAddress, DriveRootAndFoldersKeepTheBarForm) {
    struct Case {
        const char* directory;
        const char* address;
    } cases[] = {
        {"D:\\Apps\\Menu", "file:///D|/Apps/Menu/BatchBM.htm"},
        {"C:\\", "file:///C|//BatchBM.htm"},
        {"\\\\server\\share", "file://server/share/BatchBM.htm"},
        {"\\\\server\\share\\Apps\\Menu", "file://server/share/Apps/Menu/BatchBM.htm"},
        {"\\\\?\\UNC\\server\\share\\Menu", "file://server/share/Menu/BatchBM.htm"},
        {"\\\\?\\E:\\Menu", "file:///E|/Menu/BatchBM.htm"},
        {"X", "file:///X/BatchBM.htm"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_EQ(cases[i].address, BookmarkAddress(cases[i].directory));
        EXPECT_EQ(Entry(cases[i].address), BookmarkEntryLine(cases[i].directory));
    }
}

TEST_F(NetscapeBookmark, RewritesEachFileAroundTheFirstListTag) {
    const std::string entry = ExpectedEntry();
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"entry after the first of several tags",
         "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n    <DT>a\r\n<DL><p>\r\n</DL><p>\r\n",
         "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n" + entry + "    <DT>a\r\n<DL><p>\r\n</DL><p>\r\n"},
        {"no tag: no entry, old entries still dropped",
         "<TITLE>x</TITLE>\r\n<DT>Welcome to Zorbit old\r\n<DT>b\r\n",
         "<TITLE>x</TITLE>\r\n<DT>b\r\n"},
        {"tag test is case-sensitive", "<dl><p>\r\n<DL><P>\r\n<DT>c\r\n", "<dl><p>\r\n<DL><P>\r\n<DT>c\r\n"},
        {"first tag line kept with the name, later ones dropped",
         "<H1>Welcome to Zorbit</H1><DL><p>\r\n<DL><p>Welcome to Zorbit\r\n<DT>d\r\n",
         "<H1>Welcome to Zorbit</H1><DL><p>\r\n" + entry + "<DT>d\r\n"},
        {"LF and a missing last line end become CR LF", "<DL><p>\n<DT>e\n\n</DL>",
         "<DL><p>\r\n" + entry + "<DT>e\r\n\r\n</DL>\r\n"},
        {"lone CR stays inside its line", "a\rb\r\n<DL><p>\r\r\n", "a\rb\r\n<DL><p>\r\r\n" + entry},
        {"empty file stays empty", "", ""},
        {"empty lines kept", "\r\n\r\n<DL><p>\r\n", "\r\n\r\n<DL><p>\r\n" + entry},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].name);
        WriteBytes(Bookmarks(), cases[i].before);
        EXPECT_TRUE(AddNetscapeBookmark(state_));
        EXPECT_EQ(cases[i].after, ReadBytes(Bookmarks()));
        // A second run leaves the same file: one entry, not two.
        EXPECT_TRUE(AddNetscapeBookmark(state_));
        EXPECT_EQ(cases[i].after, ReadBytes(Bookmarks()));
        EXPECT_EQ(std::vector<std::string>{"bookmark.htm"}, FolderEntries(user_.Path()));
    }
}

TEST_F(NetscapeBookmark, RecordsThePatternBeforeAnyFileIsTouched) {
    // No bookmark file at all: the pattern is recorded all the same.
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    std::string pattern = user_.Path() + "\\bookmark*.htm";
    EXPECT_EQ("[Zorbit Setup]\r\nBOOKMARK=" + pattern + "\r\n", ReadBytes(product_ / "SetUp.ini"));
    EXPECT_EQ(pattern, ProfileValue(product_ / "SetUp.ini", "Zorbit Setup", "BOOKMARK"));
    EXPECT_FALSE(Exists(product_ / "tmp.txt"));
}

TEST_F(NetscapeBookmark, EditsEveryMatchingFileAndNoOther) {
    WriteBytes(Bookmarks("bookmark.htm"), "<DL><p>\r\n");
    WriteBytes(Bookmarks("bookmark2.htm"), "<DL><p>\n<DT>two\n");
    WriteBytes(Bookmarks("other.htm"), "<DL><p>\r\n");
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("<DL><p>\r\n" + ExpectedEntry(), ReadBytes(Bookmarks("bookmark.htm")));
    EXPECT_EQ("<DL><p>\r\n" + ExpectedEntry() + "<DT>two\r\n", ReadBytes(Bookmarks("bookmark2.htm")));
    EXPECT_EQ("<DL><p>\r\n", ReadBytes(Bookmarks("other.htm")));
}

TEST_F(NetscapeBookmark, FileHeldOpenIsSkippedAndTheOthersEdited) {
    WriteBytes(Bookmarks("bookmark.htm"), "<DL><p>\r\n<DT>held\r\n");
    WriteBytes(Bookmarks("bookmark2.htm"), "<DL><p>\r\n");
    HANDLE held = CreateFileA(Bookmarks("bookmark.htm").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    CloseHandle(held);
    EXPECT_EQ("<DL><p>\r\n<DT>held\r\n", ReadBytes(Bookmarks("bookmark.htm")));
    EXPECT_EQ("<DL><p>\r\n" + ExpectedEntry(), ReadBytes(Bookmarks("bookmark2.htm")));
    EXPECT_EQ((std::vector<std::string>{"bookmark.htm", "bookmark2.htm"}), FolderEntries(user_.Path()));
    EXPECT_EQ(std::vector<std::string>{"SetUp.ini"}, FolderEntries(product_.Path()));
}

TEST_F(NetscapeBookmark, ReadOnlyFileKeepsItsContent) {
    WriteBytes(Bookmarks(), "<DL><p>\r\n");
    ASSERT_TRUE(SetFileAttributesA(Bookmarks().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("<DL><p>\r\n", ReadBytes(Bookmarks()));
    EXPECT_EQ(std::vector<std::string>{"bookmark.htm"}, FolderEntries(user_.Path()));
}

BOOL WINAPI WriteHalfThenFail(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    WriteFile(file, data, size / 2, written, overlapped);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST_F(NetscapeBookmark, FailedWriteLeavesTheOriginalAsItWas) {
    const std::string original = "<TITLE>t</TITLE>\n<DL><p>\n<DT>Welcome to Zorbit\n<DT>keep\n";
    WriteBytes(Bookmarks(), original);
    BookmarkFileWriter previous = SetBookmarkFileWriter(WriteHalfThenFail);
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    SetBookmarkFileWriter(previous);
    EXPECT_EQ(original, ReadBytes(Bookmarks()));
    EXPECT_EQ(std::vector<std::string>{"bookmark.htm"}, FolderEntries(user_.Path()));
}

TEST_F(NetscapeBookmark, UncProductDirectoryGivesAHostAddress) {
    state_.productDirectory = "\\\\server\\share\\Zorbit";
    WriteBytes(Bookmarks(), "<DL><p>\r\n");
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("<DL><p>\r\n" + Entry("file://server/share/Zorbit/BatchBM.htm"), ReadBytes(Bookmarks()));
}

TEST_F(NetscapeBookmark, ProductAtADriveRootGivesTwoSlashesBeforeThePage) {
    const std::string record = "C:\\SetUp.ini";
    const std::string before = Exists(record) ? ReadBytes(record) : std::string();
    const bool existed = Exists(record);
    state_.productDirectory = "C:\\";
    WriteBytes(Bookmarks(), "<DL><p>\r\n");
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("<DL><p>\r\n" + Entry("file:///C|//BatchBM.htm"), ReadBytes(Bookmarks()));
    EXPECT_EQ(user_.Path() + "\\bookmark*.htm", ProfileValue(record, "Zorbit Setup", "BOOKMARK"));
    if (existed)
        WriteBytes(record, before);
    else
        DeleteFileA(record.c_str());
}

TEST_F(NetscapeBookmark, NoUserDirectoryWritesNothing) {
    struct Case {
        const char* name;
        void (*change)(RegistryScope&);
    } cases[] = {
        {"no user name", [](RegistryScope& r) { r.Delete(HKEY_LOCAL_MACHINE, kUsers, "CurrentUser"); }},
        {"empty user name", [](RegistryScope& r) { r.SetText(HKEY_LOCAL_MACHINE, kUsers, "CurrentUser", ""); }},
        {"unknown user", [](RegistryScope& r) { r.SetText(HKEY_LOCAL_MACHINE, kUsers, "CurrentUser", "nobody"); }},
        {"empty DirRoot",
         [](RegistryScope& r) { r.SetText(HKEY_LOCAL_MACHINE, std::string(kUsers) + "\\tester", "DirRoot", ""); }},
        {"DirRoot too long",
         [](RegistryScope& r) {
             r.SetText(HKEY_LOCAL_MACHINE, std::string(kUsers) + "\\tester", "DirRoot", std::string(256, 'x'));
         }},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].name);
        RegistryScope change;
        cases[i].change(change);
        EXPECT_EQ("", GetNetscapeUserDirectory());
        WriteBytes(product_ / "SetUp.ini", "[Zorbit Setup]\r\nBOOKMARK=earlier\r\n");
        EXPECT_FALSE(AddNetscapeBookmark(state_));
        EXPECT_EQ("[Zorbit Setup]\r\nBOOKMARK=earlier\r\n", ReadBytes(product_ / "SetUp.ini"));
    }
    EXPECT_EQ(user_.Path(), GetNetscapeUserDirectory());
}

TEST_F(NetscapeBookmark, LongestDirRootIsRead) {
    std::string longest(255, 'd');
    registry_.SetText(HKEY_LOCAL_MACHINE, std::string(kUsers) + "\\tester", "DirRoot", longest);
    EXPECT_EQ(longest, GetNetscapeUserDirectory());
}

TEST_F(NetscapeBookmark, RecordsTheProgramsFolder) {
    RegistryScope shell;
    SetShellFolder(shell, "Programs", "C:\\Programs for test");
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("C:\\Programs for test", state_.programsFolder);
}

}  // namespace

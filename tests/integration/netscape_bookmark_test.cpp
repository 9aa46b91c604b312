#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/bookmark_entry.h"
#include "installer/integration/bookmark_file.h"
#include "common/file_replacement.h"
#include "installer/integration/install_steps.h"
#include "refusing_folder.h"
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
    const std::string bare = entry.substr(4, entry.size() - 6);
    const std::string old = "<DT><A HREF=\"file:///C|/Old/BatchBM.htm\">Welcome to Zorbit</A>";
    const std::string mine = "<DT><A HREF=\"http://mine/\">Mine</A>";
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"entry after the first of several tags",
         "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n    <DT>a\r\n<DL><p>\r\n</DL><p>\r\n",
         "<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n" + entry + "    <DT>a\r\n<DL><p>\r\n</DL><p>\r\n"},
        {"no tag: no entry, old entries still dropped",
         "<TITLE>x</TITLE>\r\n    " + old + "\r\n<DT>b\r\n",
         "<TITLE>x</TITLE>\r\n<DT>b\r\n"},
        {"tag test is case-sensitive", "<dl><p>\r\n<DL><P>\r\n<DT>c\r\n", "<dl><p>\r\n<DL><P>\r\n<DT>c\r\n"},
        {"the name alone is no entry: only an anchor so named goes",
         "<H1>Welcome to Zorbit</H1><DL><p>\r\n<DL><p>Welcome to Zorbit\r\n<DT>d\r\n",
         "<H1>Welcome to Zorbit</H1><DL><p>\r\n" + entry + "<DL><p>Welcome to Zorbit\r\n<DT>d\r\n"},
        {"LF and a missing last line end stay; the entry takes its line's end", "<DL><p>\n<DT>e\n\n</DL>",
         "<DL><p>\n    " + bare + "\n<DT>e\n\n</DL>"},
        {"a CR alone ends a line", "a\rb\r\n<DL><p>\r\r\n", "a\rb\r\n<DL><p>\r    " + bare + "\r\r\n"},
        {"empty file stays empty", "", ""},
        {"empty lines kept", "\r\n\r\n<DL><p>\r\n", "\r\n\r\n<DL><p>\r\n" + entry},
        {"CR only, with an old entry", "<DL><p>\r    " + old + "\r" + mine + "\r</DL>\r",
         "<DL><p>\r    " + bare + "\r" + mine + "\r</DL>\r"},
        {"one line: the entry follows the tag", "<DL><p>" + old + mine + "</DL>", "<DL><p>" + bare + mine + "</DL>"},
        {"one line without the exact tag keeps the user's links", "<dl><p>" + mine + old + "</dl>",
         "<dl><p>" + mine + "</dl>"},
        {"mixed line ends", "<DL><p>\r\n" + mine + "\r" + mine + "\n</DL>",
         "<DL><p>\r\n" + entry + mine + "\r" + mine + "\n</DL>"},
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
    const std::string entryLf = ExpectedEntry().substr(0, ExpectedEntry().size() - 2) + "\n";
    EXPECT_EQ("<DL><p>\n" + entryLf + "<DT>two\n", ReadBytes(Bookmarks("bookmark2.htm")));
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

// Scratch and backup files of a replacement left in the temporary folder.
std::vector<std::string> Leftovers() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::vector<std::string> left;
    for (const std::string& name : FolderEntries(temp))
        if (name.compare(0, 3, "zbm") == 0 || name.compare(0, 3, "zbk") == 0)
            left.push_back(temp + name);
    return left;
}

DWORD LinkCount(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information = {};
    GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    return information.nNumberOfLinks;
}

// One failing step of a replacement: the n-th name made, the writes whose
// bits are set (bit n for the n-th write), or the swap.
struct Fault {
    const char* name;
    bool hardLinked;  // a second link sends the replacement down the copy in place
    int failingName;
    unsigned failingWrites;
    bool failingSwap;
};
const Fault* fault = nullptr;
int names = 0;
int writes = 0;

UINT WINAPI FaultyName(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name) {
    if (++names != fault->failingName)
        return GetTempFileNameA(folder, prefix, unique, name);
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

BOOL WINAPI FaultyWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    if (!(fault->failingWrites & (1u << ++writes)))
        return WriteFile(file, data, size, written, overlapped);
    return WriteHalfThenFail(file, data, size, written, overlapped);
}

BOOL WINAPI FaultySwap(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                       LPVOID reserved) {
    if (!fault->failingSwap)
        return ReplaceFileA(replaced, replacement, backup, flags, exclude, reserved);
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

// Runs the bookmark step with the fault in place, a second link to the
// bookmark file in the product folder when the fault asks for one.
void AddWithFault(InstallState& state, const std::string& bookmarks, const std::string& linked, const Fault& f) {
    DeleteFileA(linked.c_str());
    if (f.hardLinked) {
        ASSERT_TRUE(CreateHardLinkA(linked.c_str(), bookmarks.c_str(), nullptr));
    }
    fault = &f;
    names = writes = 0;
    FileReplacementCalls previous = SetFileReplacementCalls({FaultyWrite, FaultySwap, FaultyName});
    EXPECT_TRUE(AddNetscapeBookmark(state));
    SetFileReplacementCalls(previous);
    EXPECT_GE(names, f.failingName) << "the failing name was never asked for";
    if (f.failingWrites) {
        EXPECT_GE(writes, __builtin_ctz(f.failingWrites)) << "the failing write was never made";
    }
}

TEST_F(NetscapeBookmark, FailureAtEachStepOfEitherPathLeavesTheOriginal) {
    const std::string original = "<TITLE>t</TITLE>\n<DL><p>\n<DT>Welcome to Zorbit\n<DT>keep\n";
    const Fault faults[] = {
        {"beside: scratch written", false, 0, 1u << 1, false},
        {"beside: swap", false, 0, 0, true},
        {"in place: scratch named", true, 1, 0, false},
        {"in place: scratch written", true, 0, 1u << 1, false},
        {"in place: backup named", true, 2, 0, false},
        {"in place: backup written", true, 0, 1u << 2, false},
        {"in place: copy over the file, then restored", true, 0, 1u << 3, false},
    };
    const std::string linked = product_ / "linked.htm";
    for (size_t i = 0; i < sizeof faults / sizeof faults[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + faults[i].name);
        WriteBytes(Bookmarks(), original);
        AddWithFault(state_, Bookmarks(), linked, faults[i]);
        EXPECT_EQ(original, ReadBytes(Bookmarks()));
        if (faults[i].hardLinked) {
            EXPECT_EQ(original, ReadBytes(linked));
        }
        EXPECT_EQ(std::vector<std::string>{"bookmark.htm"}, FolderEntries(user_.Path()));
        EXPECT_EQ(std::vector<std::string>{}, Leftovers());
    }
}

TEST_F(NetscapeBookmark, WhenEvenTheRestoreFailsTheBackupKeepsTheOriginal) {
    const std::string original = "<DL><p>\r\n<DT>only copy\r\n";
    WriteBytes(Bookmarks(), original);
    AddWithFault(state_, Bookmarks(), product_ / "linked.htm", {"copy and restore", true, 0, 3u << 3, false});
    std::vector<std::string> left = Leftovers();
    ASSERT_EQ(1u, left.size());
    EXPECT_NE(std::string::npos, left[0].find("\\zbk")) << left[0];
    EXPECT_EQ(original, ReadBytes(left[0]));
    DeleteFileA(left[0].c_str());
}

TEST_F(NetscapeBookmark, HardLinkedFileKeepsBothLinksWithTheNewText) {
    const std::string linked = product_ / "linked.htm";
    WriteBytes(Bookmarks(), "<DL><p>\n<DT>a\n");
    ASSERT_TRUE(CreateHardLinkA(linked.c_str(), Bookmarks().c_str(), nullptr));
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    const std::string expected = "<DL><p>\n" + ExpectedEntry().substr(0, ExpectedEntry().size() - 2) + "\n<DT>a\n";
    EXPECT_EQ(expected, ReadBytes(Bookmarks()));
    EXPECT_EQ(expected, ReadBytes(linked));
    EXPECT_EQ(2u, LinkCount(Bookmarks()));
    EXPECT_EQ(std::vector<std::string>{}, Leftovers());
}

TEST_F(NetscapeBookmark, FolderRefusingNewFilesStillGetsTheEntry) {
    WriteBytes(Bookmarks(), "<DL><p>\n<DT>a\n");
    RefusingFolder refusing(user_.Path());
    if (!refusing.Refuses())
        GTEST_SKIP() << "the host cannot make a folder refuse new files here";
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("<DL><p>\n" + ExpectedEntry().substr(0, ExpectedEntry().size() - 2) + "\n<DT>a\n", ReadBytes(Bookmarks()));
    EXPECT_EQ(std::vector<std::string>{"bookmark.htm"}, FolderEntries(user_.Path()));
    EXPECT_EQ(std::vector<std::string>{}, Leftovers());
}

TEST_F(NetscapeBookmark, SwappedFileKeepsItsAttributes) {
    WriteBytes(Bookmarks(), "<DL><p>\r\n");
    ASSERT_TRUE(SetFileAttributesA(Bookmarks().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(AddNetscapeBookmark(state_));
    EXPECT_EQ("<DL><p>\r\n" + ExpectedEntry(), ReadBytes(Bookmarks()));
    EXPECT_TRUE(GetFileAttributesA(Bookmarks().c_str()) & FILE_ATTRIBUTE_HIDDEN);
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

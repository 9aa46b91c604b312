// The install record as the uninstaller reads it: bad SetUp.ini inputs get
// a defined plan and leave a defined record; the bookmark edit takes out
// only the installer's lines, byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/bookmark_entry.h"
#include "common/file_replacement.h"
#include "tests/support/files.h"
#include "tests/support/state_scopes.h"
#include "uninstaller/removal_plan.h"
#include "uninstaller/removal_steps.h"

using namespace support;

namespace {

// The rows a plan shows, as "what<TAB>outcome".
std::vector<std::string> Rows(const std::vector<Removal>& plan) {
    std::vector<std::string> rows;
    for (const Removal& thing : plan) {
        if (!thing.present)
            continue;
        std::string row = RowText(thing);
        rows.push_back(row.substr(0, row.find('\t', row.find('\t') + 1)));
    }
    return rows;
}

TEST(Record, BadSetUpIniInputsGetADefinedResult) {
    const std::string longPath(300, 'x');
    struct Case {
        std::string setUp;  // "<folder>" makes SetUp.ini a folder; "" leaves it out
        std::vector<std::string> rowsBefore, rowsAfter;
        std::string after;                // SetUp.ini after Remove
        std::string profile = "", kept = "";  // "Zorbit"/"ZorbitDir" before and after; "<product>" is ours
        std::string at = "";                  // the product directory; "" a temporary folder
        bool readOnly = false;                // SetUp.ini marked read-only
        std::vector<std::string> carried = {};  // the rows right after Remove, when given
    } cases[] = {
        {"", {}, {}, "<missing>"},
        {"<folder>", {}, {}, "<missing>"},
        {"[Mine]\r\na=1\r\n", {}, {}, "[Mine]\r\na=1\r\n"},
        {"[Zorbit Setup]\r\nFAVORITE=\r\nIE_PLUGIN=\r\n", {"Settings\tto be removed"}, {}, "<missing>"},
        {"[Zorbit Setup]\r\nFAVORITE=" + longPath + "\r\n",
         {"Favourite\tfailed: the recorded path is too long"},
         {"Favourite\tfailed: the recorded path is too long"},
         "[Zorbit Setup]\r\nFAVORITE=" + longPath + "\r\n"},
        {"[Zorbit Setup]\r\nBOOKMARK=C:\\nowhere\\bookmark*.htm\r\n", {"Settings\tto be removed"}, {}, "<missing>"},
        {"[Zorbit Setup]\r\nBOOKMARK=C:\\windows\\*.*\r\n",
         {"Bookmark entries\tkept, not Zorbit's: not the pattern of the bookmark files"},
         {"Bookmark entries\tkept, not Zorbit's: not the pattern of the bookmark files"},
         "[Zorbit Setup]\r\nBOOKMARK=C:\\windows\\*.*\r\n"},
        // The profile entry goes only when it names this product directory.
        {"", {"Settings\tto be removed"}, {}, "<missing>", "<product>\\", ""},
        {"", {}, {}, "<missing>", "C:\\Other\\Zorbit", "C:\\Other\\Zorbit"},
        // A relative or rooted path names a different place for each current directory.
        {"[Zorbit Setup]\r\nFAVORITE=x.url\r\nIE ICON=\\Zor Bit IE.LNK\r\n",
         {"Favourite\tfailed: the recorded path is not a full path",
          "Desktop shortcut\tfailed: the recorded path is not a full path"},
         {"Favourite\tfailed: the recorded path is not a full path",
          "Desktop shortcut\tfailed: the recorded path is not a full path"},
         "[Zorbit Setup]\r\nFAVORITE=x.url\r\nIE ICON=\\Zor Bit IE.LNK\r\n"},
        // A product at a drive root or a share root: one separator before SetUp.ini.
        {"[Zorbit Setup]\r\nFAVORITE=\r\n", {"Settings\tto be removed"}, {}, "<missing>", "<product>\\", "", "C:\\"},
        {"", {}, {}, "<missing>", "", "", "\\\\nosuchserver\\share\\"},
        // A record that cannot be updated keeps its keys and says so.
        {"[Zorbit Setup]\r\nFAVORITE=C:\\nowhere\\Welcome to Zorbit.url\r\n", {"Settings\tto be removed"},
         {"Settings\tto be removed"}, "[Zorbit Setup]\r\nFAVORITE=C:\\nowhere\\Welcome to Zorbit.url\r\n", "", "",
         "", true, {"Settings\tfailed: the record could not be updated: SetUp.ini is read-only"}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        TempFolder folder("zbr");
        ZorbitProfileScope profile;
        Product product = ProductAt(cases[i].at.empty() ? folder.Path() : cases[i].at);
        if (!cases[i].at.empty()) {
            EXPECT_EQ(cases[i].at + "SetUp.ini", product.recordPath) << "case " << i;
            ASSERT_FALSE(Exists(product.recordPath)) << "case " << i;
        }
        auto named = [&](std::string value) {
            return value.rfind("<product>", 0) == 0 ? product.directory + value.substr(9) : value;
        };
        WriteProfileStringA("Zorbit", nullptr, nullptr);
        if (!cases[i].profile.empty())
            WriteProfileStringA("Zorbit", "ZorbitDir", named(cases[i].profile).c_str());
        if (cases[i].setUp == "<folder>")
            CreateDirectoryA(product.recordPath.c_str(), nullptr);
        else if (!cases[i].setUp.empty())
            WriteBytes(product.recordPath, cases[i].setUp);
        if (cases[i].readOnly)
            SetFileAttributesA(product.recordPath.c_str(), FILE_ATTRIBUTE_READONLY);

        std::vector<Removal> plan = PlanRemoval(product);
        EXPECT_EQ(cases[i].rowsBefore, Rows(plan)) << "case " << i;
        if (AnythingToRemove(plan))
            CarryOutRemoval(product, plan);
        if (!cases[i].carried.empty())
            EXPECT_EQ(cases[i].carried, Rows(plan)) << "case " << i;
        EXPECT_EQ(cases[i].rowsAfter, Rows(PlanRemoval(product))) << "case " << i;
        if (cases[i].setUp != "<folder>")
            EXPECT_EQ(cases[i].after, ReadBytes(product.recordPath)) << "case " << i;
        else
            EXPECT_EQ(PathKind::Folder, KindOf(product.recordPath)) << "case " << i;
        EXPECT_EQ(cases[i].kept.empty() ? "<absent>" : named(cases[i].kept),
                  ProfileValue("win.ini", "Zorbit", "ZorbitDir")) << "case " << i;
        char names[4096] = "";
        DWORD length = GetPrivateProfileSectionNamesA(names, sizeof names, "win.ini");
        bool section = false;
        for (const char* name = names; name < names + length && *name; name += lstrlenA(name) + 1)
            section = section || lstrcmpiA(name, "Zorbit") == 0;
        EXPECT_EQ(!cases[i].kept.empty(), section) << "case " << i << ": an emptied section goes too";
        SetFileAttributesA(product.recordPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!cases[i].at.empty())
            DeleteFileA(product.recordPath.c_str());
    }
}

TEST(Record, OnlyTheInstallersBookmarkLinesGo) {
    const std::string address = BookmarkAddress("D:\\Apps\\Menu");
    const std::string entry = "    <DT><A HREF=\"" + address + "\">Welcome to Zorbit</A>";
    const std::string mine = "<DT><A HREF=\"http://mine/\">Mine</A>";
    struct Case {
        std::string text, kept;
        int dropped;
        bool refused = false;
    } cases[] = {
        {"<DL><p>\r\n" + entry + "\r\n<DT>mine\r\n", "<DL><p>\r\n<DT>mine\r\n", 1},
        {"<DL><p>\n" + entry + "\n<DT>x\n" + entry, "<DL><p>\n<DT>x\n", 2},
        {"a\r\n<A HREF=\"http://w\">Welcome to Zorbit</A>\r\n", "a\r\n<A HREF=\"http://w\">Welcome to Zorbit</A>\r\n", 0},
        {"<A HREF=\"" + address + "\">My start page</A>\r\n", "<A HREF=\"" + address + "\">My start page</A>\r\n", 0},
        {"x\r\r\n<A HREF=\"FILE:///d|/APPS/Menu/BatchBM.htm\">Welcome to Zorbit</A>\r\n", "x\r\r\n", 1},
        {"no line end", "no line end", 0},
        // CR only, one line, mixed line ends: only the entry's own bytes go.
        {"<DL><p>\r" + entry + "\r" + mine + "\r</DL>\r", "<DL><p>\r" + mine + "\r</DL>\r", 1},
        {"<DL><p>" + entry.substr(4) + mine + "</DL>", "<DL><p>" + mine + "</DL>", 1},
        {"<DL><p>\n" + entry + "\r\n" + mine + "\r<DT>b\n", "<DL><p>\n" + mine + "\r<DT>b\n", 1},
        {"<DL><p>\r\n<DT><A HREF=\"" + address + "\" ADD_DATE=\"9\">Welcome to Zorbit</A>\r\n", "<DL><p>\r\n", 1},
        // Another link inside what would go: nothing goes.
        {"<DL><p>" + mine + entry.substr(8) + "\r\n" + entry + "\r\n",
         "<DL><p>" + mine + entry.substr(8) + "\r\n" + entry + "\r\n", 0, true},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        int dropped = -1;
        bool refused = !cases[i].refused;
        EXPECT_EQ(cases[i].kept, DropBookmarkEntries(cases[i].text, address, &dropped, &refused)) << "case " << i;
        EXPECT_EQ(cases[i].dropped, dropped) << "case " << i;
        EXPECT_EQ(cases[i].refused, refused) << "case " << i;
    }
}

TEST(Record, ALockedBookmarkFileStaysWholeAndTheKeyStays) {
    TempFolder folder("zbr");
    TempFolder user("zbn");
    Product product = ProductAt(folder.Path());
    std::string entry = "    <DT><A HREF=\"" + BookmarkAddress(product.directory) + "\">Welcome to Zorbit</A>\r\n";
    std::string locked = user / "bookmark.htm", other = user / "bookmark2.htm";
    WriteBytes(locked, "<DL><p>\r\n" + entry + "</DL>\r\n");
    WriteBytes(other, "<DL><p>\r\n" + entry + "<DT>mine\n</DL>");
    WritePrivateProfileStringA("Zorbit Setup", "BOOKMARK", (user.Path() + "\\bookmark*.htm").c_str(),
                               product.recordPath.c_str());
    std::vector<Removal> plan = PlanRemoval(product);
    ASSERT_EQ(2u, plan.size());
    EXPECT_EQ(2, plan[0].fileCount);

    HANDLE open = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    CarryOutRemoval(product, plan);
    CloseHandle(open);
    EXPECT_EQ(Outcome::Failed, plan[0].result.outcome) << OutcomeText(plan[0].result);
    EXPECT_NE(std::string::npos, OutcomeText(plan[0].result).find(locked + ": "));
    EXPECT_NE(std::string::npos, OutcomeText(plan[0].result).find("the file is as it was"));
    EXPECT_EQ("<DL><p>\r\n" + entry + "</DL>\r\n", ReadBytes(locked));
    EXPECT_EQ("<DL><p>\r\n<DT>mine\n</DL>", ReadBytes(other));
    EXPECT_EQ((std::vector<std::string>{"bookmark.htm", "bookmark2.htm"}), FolderEntries(user.Path()))
        << "no scratch file is left";
    EXPECT_EQ(user.Path() + "\\bookmark*.htm", ProfileValue(product.recordPath, "Zorbit Setup", "BOOKMARK"));

    // Unlocked, a second run finishes the job and the record goes.
    plan = PlanRemoval(product);
    EXPECT_EQ(1, plan[0].fileCount);
    CarryOutRemoval(product, plan);
    EXPECT_EQ("<DL><p>\r\n</DL>\r\n", ReadBytes(locked));
    EXPECT_FALSE(Exists(product.recordPath));
}

int writes = 0;
BOOL WINAPI CopyAndRestoreFail(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    // The scratch and the backup are written; the copy over the file and its restore fail.
    if (++writes <= 2)
        return WriteFile(file, data, size, written, overlapped);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST(Record, WhenEvenTheRestoreFailsTheRowNamesTheOnlyWholeCopy) {
    TempFolder folder("zbr");
    TempFolder user("zbn");
    Product product = ProductAt(folder.Path());
    std::string bookmarks = user / "bookmark.htm", linked = folder / "linked.htm";
    const std::string original = "<DL><p>\r\n    " + BookmarkEntry(product.directory) + "\r\n<DT>mine\r\n";
    WriteBytes(bookmarks, original);
    // A second link sends the replacement down the copy in place, with its backup.
    ASSERT_TRUE(CreateHardLinkA(linked.c_str(), bookmarks.c_str(), nullptr));
    WritePrivateProfileStringA("Zorbit Setup", "BOOKMARK", (user.Path() + "\\bookmark*.htm").c_str(),
                               product.recordPath.c_str());
    std::vector<Removal> plan = PlanRemoval(product);
    writes = 0;
    FileReplacementCalls previous = SetFileReplacementCalls({CopyAndRestoreFail, nullptr, nullptr});
    CarryOutRemoval(product, plan);
    SetFileReplacementCalls(previous);
    std::string row = OutcomeText(plan[0].result);
    size_t at = row.find("the only whole copy of the original is ");
    ASSERT_NE(std::string::npos, at) << row;
    std::string backup = row.substr(at + 39);
    EXPECT_EQ(original, ReadBytes(backup));
    DeleteFileA(backup.c_str());
}

}  // namespace

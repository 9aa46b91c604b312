#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "installer/integration/install_steps.h"
#include "test_support.h"

namespace {

std::string ZorbitDir() {
    char value[1024];
    GetProfileStringA("Zorbit", "ZorbitDir", "<absent>", value, sizeof value);
    return value;
}

std::string Expected(const std::string& directory, const std::string& startDirectory) {
    return "[CollectionNames]\r\n"
           "General Collection=" + directory + "\\WebSite.htm\r\n"
           "User Collection=" + directory + "\\Template.htm\r\n"
           "[LocalZB]\r\n"
           "Home=" + directory + "\\BatchBM.htm\r\n"
           "User Collection=" + directory + "\\TempBM.htm\r\n" +
           (startDirectory.empty() ? "" : "[Zorbit Setup]\r\nStart Directory=" + startDirectory + "\r\n");
}

class CollectionSettings : public ::testing::Test {
protected:
    // What the install page holds after its first display in directory.
    InstallState PageIn(const TempFolder& directory) {
        InstallState state;
        state.startDirectory = directory.Path();
        state.productDirectory = directory.Path();
        state.programsFolder = "C:\\Programs";
        return state;
    }

    ZorbitProfileScope profile_;
    TempFolder first_{"zb1"};
    TempFolder second_{"zb2"};
};

TEST_F(CollectionSettings, InstallationWritesProfileEntryAndCollectionKeys) {
    CurrentDirectoryScope inFirst(first_.Path());
    InstallState state = PageIn(first_);
    EXPECT_EQ(1, WriteCollectionSettings(state));
    EXPECT_EQ(first_.Path(), ZorbitDir());
    EXPECT_EQ(Expected(first_.Path(), "C:\\Programs\\Zorbit"), ReadBytes(first_ / "SetUp.ini"));
}

TEST_F(CollectionSettings, SecondInstallationElsewhereLeavesTheFirstAlone) {
    {
        CurrentDirectoryScope inFirst(first_.Path());
        InstallState state = PageIn(first_);
        WriteCollectionSettings(state);
    }
    std::string firstFile = ReadBytes(first_ / "SetUp.ini");
    CurrentDirectoryScope inSecond(second_.Path());
    InstallState state = PageIn(second_);
    state.programsFolder.clear();
    WriteCollectionSettings(state);
    EXPECT_EQ(second_.Path(), ZorbitDir());
    // Without a Programs folder no rooted "\Zorbit" is recorded.
    EXPECT_EQ(Expected(second_.Path(), ""), ReadBytes(second_ / "SetUp.ini"));
    EXPECT_EQ(firstFile, ReadBytes(first_ / "SetUp.ini"));
}

TEST_F(CollectionSettings, KeysWrittenAgainAreReplacedInPlace) {
    WriteBytes(first_ / "SetUp.ini",
               "[Zorbit Setup]\r\nIE_PLUGIN=C:\\p\\npzrbit.dll\r\nStart Directory=old\r\n"
               "[LocalZB]\r\nUser Collection=old\r\nHome=old\r\nExtra=kept\r\n");
    CurrentDirectoryScope inFirst(first_.Path());
    InstallState state = PageIn(first_);
    WriteCollectionSettings(state);
    WriteCollectionSettings(state);
    const std::string d = first_.Path();
    EXPECT_EQ("[Zorbit Setup]\r\nIE_PLUGIN=C:\\p\\npzrbit.dll\r\nStart Directory=C:\\Programs\\Zorbit\r\n"
              "[LocalZB]\r\nUser Collection=" + d + "\\TempBM.htm\r\nHome=" + d + "\\BatchBM.htm\r\nExtra=kept\r\n"
              "[CollectionNames]\r\nGeneral Collection=" + d + "\\WebSite.htm\r\nUser Collection=" + d +
                  "\\Template.htm\r\n",
              ReadBytes(first_ / "SetUp.ini"));
}

TEST_F(CollectionSettings, DirectoryIsTheStartDirectoryWhereverTheProcessHasGone) {
    // The installer started in the first folder; a file dialog has since
    // moved the current directory to the second.
    InstallState state = PageIn(first_);
    state.productDirectory = second_.Path();
    CurrentDirectoryScope inSecond(second_.Path());
    WriteCollectionSettings(state);
    EXPECT_EQ(first_.Path(), state.productDirectory);
    EXPECT_EQ(first_.Path(), ZorbitDir());
    EXPECT_EQ(first_ / "BatchBM.htm", ProfileValue(first_ / "SetUp.ini", "LocalZB", "Home"));
    EXPECT_FALSE(Exists(second_ / "SetUp.ini"));
}

}  // namespace

namespace {

// A folder below first_ whose full path is longer than the path limit, made
// and entered through the long-path form.
class LongDirectory {
public:
    explicit LongDirectory(const std::string& base) {
        std::wstring path = L"\\\\?\\" + std::wstring(base.begin(), base.end());
        while (path.size() < MAX_PATH + 20) {
            path += L"\\" + std::wstring(60, L'n');
            if (!CreateDirectoryW(path.c_str(), nullptr))
                return;
            made_.push_back(path);
        }
        GetCurrentDirectoryW(MAX_PATH, previous_);
        entered_ = SetCurrentDirectoryW(path.c_str()) != FALSE;
    }
    ~LongDirectory() {
        if (entered_)
            SetCurrentDirectoryW(previous_);
        for (auto path = made_.rbegin(); path != made_.rend(); ++path)
            RemoveDirectoryW(path->c_str());
    }
    bool Entered() const { return entered_; }

private:
    std::vector<std::wstring> made_;
    WCHAR previous_[MAX_PATH] = {};
    bool entered_ = false;
};

TEST_F(CollectionSettings, DirectoryTooLongForThePathLimitWritesNothing) {
    WriteProfileStringA("Zorbit", "ZorbitDir", "C:\\Earlier");
    InstallState state = PageIn(first_);
    LongDirectory deep(first_.Path());
    if (!deep.Entered())
        GTEST_SKIP() << "this platform does not enter a directory beyond the path limit";
    // What the sheet holds when the start directory did not fit, and a
    // start directory longer than the path limit handed in all the same.
    for (const std::string& start : {std::string(), first_.Path() + "\\" + std::string(MAX_PATH, 'n')}) {
        SCOPED_TRACE(start.size());
        state.startDirectory = start;
        EXPECT_EQ(0, WriteCollectionSettings(state)) << "nothing was written";
    }
    EXPECT_EQ("", state.productDirectory);
    EXPECT_EQ("C:\\Earlier", ZorbitDir());
    EXPECT_FALSE(Exists(first_ / "SetUp.ini"));
}

}  // namespace

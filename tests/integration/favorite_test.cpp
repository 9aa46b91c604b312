#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "installer/integration/install_steps.h"
#include "installer/integration/shell_links.h"
#include "test_support.h"

namespace {

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class Favorite : public ::testing::Test {
protected:
    void SetUp() override {
        SetShellFolder(registry_, "Favorites", favorites_.Path());
        SetShellFolder(registry_, "Programs", programs_.Path());
        state_.productDirectory = product_.Path();
    }

    std::string FavoritePath() const { return favorites_ / "Welcome to Zorbit.url"; }
    std::string Address() const { return "file:///" + product_.Path() + "\\BatchBM.htm"; }

    RegistryScope registry_;
    TempFolder favorites_{"zbf"};
    TempFolder programs_{"zbg"};
    TempFolder product_{"zbp"};
    InstallState state_;
};

TEST_F(Favorite, ShellFoldersGiveFavoritesAndStorePrograms) {
    EXPECT_EQ(favorites_.Path(), GetShellFolders(state_));
    EXPECT_EQ(programs_.Path(), state_.programsFolder);

    RegistryScope change;
    change.Delete(HKEY_CURRENT_USER, kShellFolders, "Programs");
    EXPECT_EQ(favorites_.Path(), GetShellFolders(state_));
    EXPECT_EQ("", state_.programsFolder);
}

std::vector<std::string> shown;
void Remember(const char* text) { shown.push_back(text); }

TEST_F(Favorite, UnknownFavoritesFolderAddsNothingAndSaysSo) {
    RegistryScope change;
    change.Delete(HKEY_CURRENT_USER, kShellFolders, "Favorites");
    shown.clear();
    ShellLinkMessage previous = SetShellLinkMessage(Remember);
    CurrentDirectoryScope inProduct(product_.Path());
    EXPECT_TRUE(AddFavorite(state_));
    SetShellLinkMessage(previous);
    EXPECT_EQ(std::vector<std::string>{"The Favorites folder is unknown, so no favourite for Zorbit was added."}, shown);
    EXPECT_EQ(std::vector<std::string>{}, FolderEntries(product_.Path())) << "nothing recorded, nothing made here";
    EXPECT_FALSE(Exists("C:\\Welcome to Zorbit.url"));
}

TEST_F(Favorite, WithoutTemplateHoldsTheAddressAlone) {
    EXPECT_TRUE(AddFavorite(state_));
    EXPECT_EQ("[InternetShortcut]\r\nURL=" + Address() + "\r\n", ReadBytes(FavoritePath()));
    // Drive colon and backslashes stay as they are.
    EXPECT_NE(std::string::npos, Address().find(":\\"));
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\n", ReadBytes(product_ / "SetUp.ini"));
}

TEST_F(Favorite, TemplateKeysAreKeptAndItsAddressReplaced) {
    WriteBytes(product_ / "Zorbit.url",
               "[InternetShortcut]\r\nURL=http://example.invalid/\r\nIconIndex=1\r\n[Extra]\r\nKey=Value\r\n");
    EXPECT_TRUE(AddFavorite(state_));
    EXPECT_EQ("[InternetShortcut]\r\nURL=" + Address() + "\r\nIconIndex=1\r\n[Extra]\r\nKey=Value\r\n",
              ReadBytes(FavoritePath()));
    // The template itself is left alone.
    EXPECT_EQ("http://example.invalid/", ProfileValue(product_ / "Zorbit.url", "InternetShortcut", "URL"));
    EXPECT_EQ(FavoritePath(), ProfileValue(product_ / "SetUp.ini", "Zorbit Setup", "FAVORITE"));
}

TEST_F(Favorite, EarlierFavoriteIsReplaced) {
    WriteBytes(FavoritePath(), "[Old]\r\nStale=1\r\n[InternetShortcut]\r\nURL=file:///elsewhere\r\n");
    EXPECT_TRUE(AddFavorite(state_));
    EXPECT_TRUE(AddFavorite(state_));
    EXPECT_EQ("[InternetShortcut]\r\nURL=" + Address() + "\r\n", ReadBytes(FavoritePath()));
    EXPECT_EQ(std::vector<std::string>{"Welcome to Zorbit.url"}, FolderEntries(favorites_.Path()));
    EXPECT_EQ("[Zorbit Setup]\r\nFAVORITE=" + FavoritePath() + "\r\n", ReadBytes(product_ / "SetUp.ini"));
}

TEST_F(Favorite, FavoriteThatCannotBeDeletedReachesTheErrorReport) {
    const std::string earlier = "[InternetShortcut]\r\nURL=file:///earlier\r\n";
    WriteBytes(product_ / "Zorbit.url", "[InternetShortcut]\r\nURL=x\r\n[FromTemplate]\r\nA=1\r\n");
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "read-only" : "held open without delete sharing");
        WriteBytes(FavoritePath(), earlier);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (i == 0)
            ASSERT_TRUE(SetFileAttributesA(FavoritePath().c_str(), FILE_ATTRIBUTE_READONLY));
        else
            held = CreateFileA(FavoritePath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        std::string what;
        try {
            AddFavorite(state_);
        } catch (const FileError& error) {
            what = error.what();
        }
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_NE(std::string::npos, what.find(FavoritePath())) << what;
        // Nothing after the deletion was done: no template copy, no address, no record.
        EXPECT_EQ(earlier, ReadBytes(FavoritePath()));
        EXPECT_FALSE(Exists(product_ / "SetUp.ini"));
        SetFileAttributesA(FavoritePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace

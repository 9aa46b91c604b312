// The directory page in the running wizard: discovery at each activation,
// the button, and the file dialog.
#include <gtest/gtest.h>

#include <string>

#include "installer/resources/resource_ids.h"
#include "installer/wizard/main_sheet.h"
#include "tests/directory/registry_changes.h"
#include "tests/wizard/wizard_driver.h"

namespace {

const char kIE4Setup[] = "SOFTWARE\\Microsoft\\IE4\\SETUP";
const char kIEMain[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Main";
const char kHttpCommand[] = "http\\Shell\\Open\\Command";

std::string ItemText(HWND page, int id) {
    char text[1024] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

// Nothing to find unless a test puts it there.
void ClearBrowsers(RegistryChanges& changes) {
    changes.Remove(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\IE Setup\\SETUP", "Path");
    changes.Remove(HKEY_LOCAL_MACHINE, kIE4Setup, "Path");
    changes.Remove(HKEY_LOCAL_MACHINE, kIEMain, "Cache_Directory");
    changes.SetText(HKEY_CLASSES_ROOT, kHttpCommand, "", "\"C:\\Viewer\\viewer.exe\" \"%1\"");
}

void ToDirectoryPage(ModelessWizard& wizard) {
    for (int i = 0; i < 3; ++i)
        wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(3, wizard.PageIndex());
}

void WaitForTimer() {
    for (int i = 0; i < 5; ++i) {
        Sleep(20);
        PumpMessages();
    }
}

}  // namespace

TEST(DirectoryPage, ShowsTheDiscoveredPath) {
    RegistryChanges changes;
    ClearBrowsers(changes);
    changes.SetText(HKEY_LOCAL_MACHINE, kIE4Setup, "Path", "C:\\IE");
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ToDirectoryPage(wizard);
    WaitForTimer();
    HWND page = wizard.Page();
    EXPECT_EQ("C:\\IE\\Plugins\\npzrbit.dll", ItemText(page, IDC_PLUGIN_PATH));
    EXPECT_EQ("Select Other Directory", ItemText(page, IDC_SELECT_DIRECTORY));
    EXPECT_EQ("C:\\IE\\Plugins\\npzrbit.dll", wizard.sheet().GetPluginPath());
    EXPECT_EQ("C:\\IE", wizard.sheet().GetBrowserProgramDirectory());
    EXPECT_EQ(GetDlgItem(page, IDC_SELECT_DIRECTORY), GetFocus());
    EXPECT_TRUE(wizard.ButtonEnabled(0x3023));
    EXPECT_TRUE(wizard.ButtonEnabled(0x3024));
}

TEST(DirectoryPage, HttpFallbackAndNothingFound) {
    RegistryChanges changes;
    ClearBrowsers(changes);
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ToDirectoryPage(wizard);
    HWND page = wizard.Page();
    EXPECT_EQ("", ItemText(page, IDC_PLUGIN_PATH));
    EXPECT_EQ("Select Directory", ItemText(page, IDC_SELECT_DIRECTORY));
    EXPECT_EQ("", wizard.sheet().GetPluginPath());
    EXPECT_TRUE(wizard.ButtonEnabled(0x3024)) << "Next stays";

    changes.SetText(HKEY_CLASSES_ROOT, kHttpCommand, "", "\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome");
    wizard.Press(PSBTN_BACK);
    wizard.Press(PSBTN_NEXT);
    EXPECT_EQ("C:\\Program Files\\Internet Explorer\\Plugins\\npzrbit.dll", ItemText(page, IDC_PLUGIN_PATH));
    EXPECT_EQ("Select Other Directory", ItemText(page, IDC_SELECT_DIRECTORY));
    EXPECT_EQ("C:\\Program Files\\Internet Explorer\\Plugins\\npzrbit.dll", wizard.sheet().GetPluginPath());
    EXPECT_EQ("", wizard.sheet().GetBrowserProgramDirectory()) << "the fallback sets no program directory";
}

TEST(DirectoryPage, ProgramDirectoryStaysFromTheLookupThatSetIt) {
    RegistryChanges changes;
    ClearBrowsers(changes);
    changes.SetText(HKEY_LOCAL_MACHINE, kIE4Setup, "Path", "C:\\IE");
    changes.SetText(HKEY_LOCAL_MACHINE, kIEMain, "Cache_Directory", "C:\\Windows\\Temporary Internet Files");
    ScratchDirectory scratch;
    ModelessWizard wizard;
    ToDirectoryPage(wizard);
    EXPECT_EQ("C:\\IE", wizard.sheet().GetBrowserProgramDirectory());

    wizard.Press(PSBTN_BACK);
    SendDlgItemMessageA(wizard.Page(), IDC_IE3, BM_CLICK, 0, 0);
    PumpMessages();
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(3, wizard.PageIndex());
    EXPECT_EQ("C:\\Windows\\Plugins\\npzrbit.dll", wizard.sheet().GetPluginPath());
    EXPECT_EQ("C:\\IE", wizard.sheet().GetBrowserProgramDirectory());
}

TEST(DirectoryPage, FileDialogChoosesAnotherPlaceAndDiscoveryReplacesIt) {
    RegistryChanges changes;
    ClearBrowsers(changes);
    changes.SetText(HKEY_LOCAL_MACHINE, kIE4Setup, "Path", "C:\\IE");
    ScratchDirectory scratch;
    std::string chosenFolder = scratch.File("Chosen");
    CreateDirectoryA(chosenFolder.c_str(), nullptr);
    std::string chosen = chosenFolder + "\\npzrbit.dll";
    scratch.Write("Chosen\\npzrbit.dll", "old build");

    ModelessWizard wizard;
    ToDirectoryPage(wizard);
    HWND page = wizard.Page();
    {
        SCOPED_TRACE("cancel");
        FileDialogAnswer answer("");
        SendDlgItemMessageA(page, IDC_SELECT_DIRECTORY, BM_CLICK, 0, 0);
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ("npzrbit.dll", answer.InitialName());
        PumpMessages();
        EXPECT_EQ("C:\\IE\\Plugins\\npzrbit.dll", ItemText(page, IDC_PLUGIN_PATH));
        EXPECT_EQ("C:\\IE\\Plugins\\npzrbit.dll", wizard.sheet().GetPluginPath());
    }
    {
        SCOPED_TRACE("confirm");
        FileDialogAnswer answer(chosen);
        SendDlgItemMessageA(page, IDC_SELECT_DIRECTORY, BM_CLICK, 0, 0);
        ASSERT_TRUE(answer.Answered());
        PumpMessages();
        EXPECT_EQ(chosen, ItemText(page, IDC_PLUGIN_PATH));
        EXPECT_EQ(chosen, wizard.sheet().GetPluginPath());
    }
    wizard.Press(PSBTN_NEXT);
    ASSERT_EQ(4, wizard.PageIndex());
    wizard.Press(PSBTN_BACK);
    ASSERT_EQ(3, wizard.PageIndex());
    EXPECT_EQ("C:\\IE\\Plugins\\npzrbit.dll", ItemText(page, IDC_PLUGIN_PATH));
    EXPECT_EQ("C:\\IE\\Plugins\\npzrbit.dll", wizard.sheet().GetPluginPath());
}

#include "installer/integration/install_steps.h"
#include "common/registry_key.h"

void CreateBrowserShortcuts(InstallState& state) {
    if (state.productDirectory.empty())
        return;
    RegistryKey shellFolders;
    shellFolders.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      KEY_QUERY_VALUE);
    std::string desktop = shellFolders.ReadText("Desktop", 260);
    shellFolders.Close();

    std::string desktopLink = desktop + "\\Zor Bit IE.LNK";
    std::string groupLink = state.programsFolder + "\\Zorbit\\Zor Bit IE.LNK";
    std::string target = state.browserProgramDirectory + "\\Iexplore.exe ";
    // A shortcut in whatever folder happens to be current would be lost;
    // an unknown Programs folder is reported with the program group.
    if (!IsFullPath(desktop)) {
        ShowStepMessage("The Desktop folder is unknown, so no desktop shortcut for Zorbit was made.");
    } else {
        WriteRecordValue(state.RecordedProduct(), kDesktopShortcutKey, desktopLink);
        CreateShellLink(state, target, desktopLink, "Zor Bit for IE");
    }
    if (IsFullPath(state.programsFolder))
        CreateShellLink(state, target, groupLink, "Zor Bit for IE");
}

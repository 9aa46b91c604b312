#include "installer/integration/install_steps.h"
#include "common/registry_key.h"

bool CreateBrowserShortcuts(InstallState& state) {
    if (state.productDirectory.empty())
        return false;
    OwnedKey shellFolders;
    OpenKey(shellFolders, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      KEY_QUERY_VALUE);
    std::string desktop = ReadKeyText(shellFolders.get(), "Desktop", 260);
    shellFolders.close();

    std::string desktopLink = desktop + "\\Zor Bit IE.LNK";
    std::string groupLink = state.programsFolder + "\\Zorbit\\Zor Bit IE.LNK";
    std::string target = state.browserProgramDirectory + "\\Iexplore.exe ";
    // A shortcut in whatever folder happens to be current would be lost;
    // an unknown Programs folder is reported with the program group.
    bool desktopMade = false;
    if (!IsFullPath(desktop)) {
        ShowStepMessage("The Desktop folder is unknown, so no desktop shortcut for Zorbit was made.");
    } else {
        desktopMade = WriteRecordValue(state.RecordedProduct(), kDesktopShortcutKey, desktopLink) &&
                      SUCCEEDED(CreateShellLink(state, target, desktopLink, "Zor Bit for IE"));
    }
    bool groupMade = IsFullPath(state.programsFolder) &&
                     SUCCEEDED(CreateShellLink(state, target, groupLink, "Zor Bit for IE"));
    return desktopMade && groupMade;
}

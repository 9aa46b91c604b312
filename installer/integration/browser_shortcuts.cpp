#include "installer/integration/install_steps.h"
#include "installer/integration/registry_key.h"

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
    if (!state.installRecordPath.empty())
        WritePrivateProfileStringA("Zorbit Setup", "IE ICON", desktopLink.c_str(), state.installRecordPath.c_str());
    CreateShellLink(state, target, desktopLink, "Zor Bit for IE");
    CreateShellLink(state, target, groupLink, "Zor Bit for IE");
}

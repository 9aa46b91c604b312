#include "installer/integration/install_steps.h"
#include "common/registry_key.h"

std::string GetShellFolders(InstallState& state) {
    RegistryKey software;
    software.Open(HKEY_CURRENT_USER, "SOFTWARE", KEY_READ);
    RegistryKey microsoft;
    if (!microsoft.Open(software.Get(), "Microsoft", KEY_READ))
        return std::string();
    RegistryKey shellFolders;
    if (!shellFolders.Open(microsoft.Get(), "Windows\\CurrentVersion\\Explorer\\Shell Folders", KEY_READ))
        return std::string();
    std::string favorites = shellFolders.ReadText("Favorites", 256);
    state.programsFolder = shellFolders.ReadText("Programs", 256);
    return favorites;
}

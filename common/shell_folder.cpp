#include "common/registry_key.h"
#include "common/user_link_folders.h"

std::string ReadShellFolder(const char* name) {
    RegistryKey software;
    software.Open(HKEY_CURRENT_USER, "SOFTWARE", KEY_READ);
    RegistryKey microsoft;
    if (!microsoft.Open(software.Get(), "Microsoft", KEY_READ))
        return std::string();
    RegistryKey shellFolders;
    if (!shellFolders.Open(microsoft.Get(), "Windows\\CurrentVersion\\Explorer\\Shell Folders", KEY_READ))
        return std::string();
    return shellFolders.ReadText(name, 256);
}

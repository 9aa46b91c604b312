#include "common/registry_key.h"
#include "common/user_link_folders.h"

std::string ReadShellFolder(const char* name) {
    OwnedKey software;
    OpenKey(software, HKEY_CURRENT_USER, "SOFTWARE", KEY_READ);
    OwnedKey microsoft;
    if (!OpenKey(microsoft, software.get(), "Microsoft", KEY_READ))
        return std::string();
    OwnedKey shellFolders;
    if (!OpenKey(shellFolders, microsoft.get(), "Windows\\CurrentVersion\\Explorer\\Shell Folders", KEY_READ))
        return std::string();
    return ReadKeyText(shellFolders.get(), name, 256);
}

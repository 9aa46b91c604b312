#include "common/registry_key.h"
#include "common/user_link_folders.h"

std::string GetNetscapeUserDirectory() {
    OwnedKey software;
    OpenKey(software, HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_READ);
    OwnedKey netscape;
    if (!OpenKey(netscape, software.get(), "Netscape", KEY_READ))
        return std::string();
    OwnedKey users;
    if (!OpenKey(users, netscape.get(), "Netscape Navigator\\Users", KEY_READ))
        return std::string();
    std::string userName = ReadKeyText(users.get(), "CurrentUser", 256);
    // An empty name would open the users key itself.
    if (userName.empty())
        return std::string();
    OwnedKey user;
    if (!OpenKey(user, users.get(), userName.c_str(), KEY_READ))
        return std::string();
    return ReadKeyText(user.get(), "DirRoot", 256);
}

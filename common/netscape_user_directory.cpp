#include "common/registry_key.h"
#include "common/user_link_folders.h"

std::string GetNetscapeUserDirectory() {
    RegistryKey software;
    software.Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_READ);
    RegistryKey netscape;
    if (!netscape.Open(software.Get(), "Netscape", KEY_READ))
        return std::string();
    RegistryKey users;
    if (!users.Open(netscape.Get(), "Netscape Navigator\\Users", KEY_READ))
        return std::string();
    std::string userName = users.ReadText("CurrentUser", 256);
    // An empty name would open the users key itself.
    if (userName.empty())
        return std::string();
    RegistryKey user;
    if (!user.Open(users.Get(), userName.c_str(), KEY_READ))
        return std::string();
    return user.ReadText("DirRoot", 256);
}

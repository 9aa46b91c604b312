#include "installer/wizard/plugin_directory_lookup.h"

#include <windows.h>

#include "common/registry_key.h"
#include "installer/wizard/main_sheet.h"

namespace {

constexpr DWORD kValueBuffer = 256;

// Opens each name under the one before, starting at root; the last key, or
// none. The keys on the way close as soon as the next one is open.
RegistryKey OpenPath(HKEY root, std::initializer_list<const char*> names) {
    RegistryKey key;
    HKEY parent = root;
    for (const char* name : names) {
        RegistryKey next;
        if (!next.Open(parent, name, KEY_READ))
            return RegistryKey();
        key = std::move(next);
        parent = key.Get();
    }
    return key;
}

}  // namespace

std::string GetNetscapePluginsDirectory(CMainSheet& sheet) {
    RegistryKey navigator = OpenPath(HKEY_LOCAL_MACHINE, {"SOFTWARE", "Netscape", "Netscape Navigator"});
    if (!navigator)
        return std::string();
    std::string version = navigator.ReadText("CurrentVersion", kValueBuffer);
    if (version.empty())
        return std::string();
    RegistryKey main;
    if (!main.Open(navigator.Get(), (version + "\\Main").c_str(), KEY_READ))
        return std::string();
    std::string directory = main.ReadText("Plugins Directory", kValueBuffer);
    sheet.SetBrowserProgramDirectory(directory);
    return directory;
}

std::string GetIE4PluginDirectory(CMainSheet& sheet) {
    RegistryKey microsoft = OpenPath(HKEY_LOCAL_MACHINE, {"SOFTWARE", "Microsoft"});
    if (!microsoft)
        return std::string();
    RegistryKey setup;
    if (!setup.Open(microsoft.Get(), "IE Setup\\SETUP", KEY_READ) &&
        !setup.Open(microsoft.Get(), "IE4\\SETUP", KEY_READ))
        return std::string();
    std::string path = setup.ReadText("Path", kValueBuffer);
    sheet.SetBrowserProgramDirectory(path);
    // No path is no directory, not the root's "\Plugins".
    if (path.empty())
        return std::string();
    return path + "\\Plugins";
}

std::string GetIE3PluginDirectory() {
    RegistryKey main = OpenPath(HKEY_LOCAL_MACHINE, {"SOFTWARE", "Microsoft", "Internet Explorer\\Main"});
    if (!main)
        return std::string();
    std::string cache = main.ReadText("Cache_Directory", kValueBuffer);
    size_t slash = cache.rfind('\\');
    if (slash == std::string::npos)
        return std::string();
    return cache.substr(0, slash) + "\\Plugins";
}

std::string GetHttpOpenCommand() {
    RegistryKey command = OpenPath(HKEY_CLASSES_ROOT, {"http", "Shell\\Open\\Command"});
    if (!command)
        return std::string();
    std::string line = command.ReadText("", kValueBuffer);
    if (!line.empty() && line[0] == '"')
        line.erase(0, 1);
    return line;
}

std::string PluginsBesideHttpProgram(const char* const names[3]) {
    std::string command = GetHttpOpenCommand();
    for (int i = 0; i < 3; ++i) {
        size_t at = command.find(names[i]);
        if (at != std::string::npos)
            return command.substr(0, at) + "Plugins";
    }
    return std::string();
}

#include "installer/wizard/plugin_directory_lookup.h"

#include <windows.h>

#include "common/registry_key.h"
#include "installer/wizard/wizard_state.h"

namespace {

constexpr DWORD kValueBuffer = 256;

// Opens each name under the one before, starting at root; the last key, or
// none. The keys on the way close as soon as the next one is open.
OwnedKey OpenPath(HKEY root, std::initializer_list<const char*> names) {
    OwnedKey key;
    HKEY parent = root;
    for (const char* name : names) {
        OwnedKey next;
        if (!OpenKey(next, parent, name, KEY_READ))
            return OwnedKey();
        key = std::move(next);
        parent = key.get();
    }
    return key;
}

}  // namespace

std::string GetNetscapePluginsDirectory(WizardState& state) {
    OwnedKey navigator = OpenPath(HKEY_LOCAL_MACHINE, {"SOFTWARE", "Netscape", "Netscape Navigator"});
    if (!navigator)
        return std::string();
    std::string version = ReadKeyText(navigator.get(), "CurrentVersion", kValueBuffer);
    if (version.empty())
        return std::string();
    OwnedKey main;
    if (!OpenKey(main, navigator.get(), (version + "\\Main").c_str(), KEY_READ))
        return std::string();
    std::string directory = ReadKeyText(main.get(), "Plugins Directory", kValueBuffer);
    state.SetBrowserProgramDirectory(directory);
    return directory;
}

std::string GetIE4PluginDirectory(WizardState& state) {
    OwnedKey microsoft = OpenPath(HKEY_LOCAL_MACHINE, {"SOFTWARE", "Microsoft"});
    if (!microsoft)
        return std::string();
    OwnedKey setup;
    if (!OpenKey(setup, microsoft.get(), "IE Setup\\SETUP", KEY_READ) &&
        !OpenKey(setup, microsoft.get(), "IE4\\SETUP", KEY_READ))
        return std::string();
    std::string path = ReadKeyText(setup.get(), "Path", kValueBuffer);
    state.SetBrowserProgramDirectory(path);
    // No path is no directory, not the root's "\Plugins".
    if (path.empty())
        return std::string();
    return path + "\\Plugins";
}

std::string GetIE3PluginDirectory() {
    OwnedKey main = OpenPath(HKEY_LOCAL_MACHINE, {"SOFTWARE", "Microsoft", "Internet Explorer\\Main"});
    if (!main)
        return std::string();
    std::string cache = ReadKeyText(main.get(), "Cache_Directory", kValueBuffer);
    size_t slash = cache.rfind('\\');
    if (slash == std::string::npos)
        return std::string();
    return cache.substr(0, slash) + "\\Plugins";
}

std::string GetHttpOpenCommand() {
    OwnedKey command = OpenPath(HKEY_CLASSES_ROOT, {"http", "Shell\\Open\\Command"});
    if (!command)
        return std::string();
    std::string line = ReadKeyText(command.get(), "", kValueBuffer);
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

// The registry lookups behind the directory page, on keys made in the
// test's own prefix.
#include <gtest/gtest.h>

#include <string>

#include "installer/wizard/main_sheet.h"
#include "installer/wizard/plugin_directory_lookup.h"
#include "tests/directory/registry_changes.h"

namespace {

const char kIESetup[] = "SOFTWARE\\Microsoft\\IE Setup\\SETUP";
const char kIE4Setup[] = "SOFTWARE\\Microsoft\\IE4\\SETUP";
const char kIEMain[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Main";
const char kNavigator[] = "SOFTWARE\\Netscape\\Netscape Navigator";
const char kHttpCommand[] = "http\\Shell\\Open\\Command";

const std::string kLong(300, 'L');
const std::string k255 = "C:\\" + std::string(252, 'p');

// Missing or set, for a table.
void Put(RegistryChanges& changes, HKEY root, const char* path, const char* name, const char* value) {
    if (value)
        changes.SetText(root, path, name, value);
    else
        changes.Remove(root, path, name);
}

const char* const kExplorerNames[3] = {"IExplore.exe", "iexplore.exe", "IEXPLORE.EXE"};
const char* const kNetscapeNames[3] = {"Netscape.exe", "NETSCAPE.EXE", "netscape.exe"};

}  // namespace

TEST(DirectoryLookup, InternetExplorer4) {
    struct Case {
        const char* ieSetup;
        const char* ie4;
        std::string result;
        std::string programDirectory;
    } cases[] = {
        {nullptr, "C:\\IE", "C:\\IE\\Plugins", "C:\\IE"},
        {"C:\\New IE", "C:\\Old IE", "C:\\New IE\\Plugins", "C:\\New IE"},
        {nullptr, nullptr, "", "before"},
        {nullptr, kLong.c_str(), "", ""},
        {nullptr, k255.c_str(), k255 + "\\Plugins", k255},
        {nullptr, "", "", ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i);
        RegistryChanges changes;
        Put(changes, HKEY_LOCAL_MACHINE, kIESetup, "Path", c.ieSetup);
        Put(changes, HKEY_LOCAL_MACHINE, kIE4Setup, "Path", c.ie4);
        CMainSheet sheet("TEST", nullptr, 0);
        sheet.SetBrowserProgramDirectory("before");
        EXPECT_EQ(c.result, GetIE4PluginDirectory(sheet));
        EXPECT_EQ(c.programDirectory, sheet.GetBrowserProgramDirectory());
    }
}

TEST(DirectoryLookup, InternetExplorer3LeavesTheProgramDirectory) {
    struct Case {
        const char* cache;
        std::string result;
    } cases[] = {
        {"C:\\Windows\\Temporary Internet Files", "C:\\Windows\\Plugins"},
        {"C:\\Cache\\", "C:\\Cache\\Plugins"},
        {"NoBackslash", ""},
        {nullptr, ""},
        {kLong.c_str(), ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        RegistryChanges changes;
        Put(changes, HKEY_LOCAL_MACHINE, kIEMain, "Cache_Directory", cases[i].cache);
        EXPECT_EQ(cases[i].result, GetIE3PluginDirectory());
    }
}

TEST(DirectoryLookup, NetscapePluginsDirectoryIsUsedUnchanged) {
    {
        RegistryChanges changes;
        changes.SetText(HKEY_LOCAL_MACHINE, kNavigator, "CurrentVersion", "4.7 (en)");
        changes.SetText(HKEY_LOCAL_MACHINE, std::string(kNavigator) + "\\4.7 (en)\\Main", "Plugins Directory",
                        "D:\\Netscape\\Communicator\\Program\\Plugins");
        CMainSheet sheet("TEST", nullptr, 0);
        EXPECT_EQ("D:\\Netscape\\Communicator\\Program\\Plugins", GetNetscapePluginsDirectory(sheet));
        EXPECT_EQ("D:\\Netscape\\Communicator\\Program\\Plugins", sheet.GetBrowserProgramDirectory());
    }
    {
        SCOPED_TRACE("version without a Main key");
        RegistryChanges changes;
        changes.SetText(HKEY_LOCAL_MACHINE, kNavigator, "CurrentVersion", "4.7 (en)");
        CMainSheet sheet("TEST", nullptr, 0);
        sheet.SetBrowserProgramDirectory("before");
        EXPECT_EQ("", GetNetscapePluginsDirectory(sheet));
        EXPECT_EQ("before", sheet.GetBrowserProgramDirectory());
    }
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Netscape", 0, KEY_READ, &key))
        << "the test's keys are gone again";
}

TEST(DirectoryLookup, HttpCommandAndThePluginsFolderBesideIt) {
    struct Case {
        const char* command;
        const char* const* names;
        std::string stripped;
        std::string plugins;
    } cases[] = {
        {"\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome", kExplorerNames,
         "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome", "C:\\Program Files\\Internet Explorer\\Plugins"},
        {"C:\\IE\\IExplore.exe %1", kExplorerNames, "C:\\IE\\IExplore.exe %1", "C:\\IE\\Plugins"},
        {"C:\\IE\\iexplore.exe %1", kExplorerNames, "C:\\IE\\iexplore.exe %1", "C:\\IE\\Plugins"},
        {"C:\\Old\\iexplore.exe C:\\New\\IExplore.exe", kExplorerNames, "C:\\Old\\iexplore.exe C:\\New\\IExplore.exe",
         "C:\\Old\\iexplore.exe C:\\New\\Plugins"},
        {"C:\\IE\\Iexplore.exe", kExplorerNames, "C:\\IE\\Iexplore.exe", ""},
        {"C:\\NS\\Program\\NETSCAPE.EXE -h \"%1\"", kNetscapeNames, "C:\\NS\\Program\\NETSCAPE.EXE -h \"%1\"",
         "C:\\NS\\Program\\Plugins"},
        {"C:\\NS\\Program\\NETSCAPE.EXE", kExplorerNames, "C:\\NS\\Program\\NETSCAPE.EXE", ""},
        {nullptr, kExplorerNames, "", ""},
    };
    std::string tooLong = "C:\\" + std::string(280, 'd') + "\\IEXPLORE.EXE";
    for (size_t i = 0; i <= sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        bool last = i == sizeof cases / sizeof cases[0];
        const Case c = last ? Case{tooLong.c_str(), kExplorerNames, "", ""} : cases[i];
        RegistryChanges changes;
        Put(changes, HKEY_CLASSES_ROOT, kHttpCommand, "", c.command);
        EXPECT_EQ(c.stripped, GetHttpOpenCommand());
        EXPECT_EQ(c.plugins, PluginsBesideHttpProgram(c.names));
    }
}

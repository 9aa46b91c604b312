#include "installer/wizard/launch_browser.h"

#include <windows.h>

#include "installer/wizard/wizard_state.h"

std::string BuildBrowserCommand(const std::string& pluginPath, int browserChoice,
                                const std::string& startDirectory) {
    if (startDirectory.empty())
        return std::string();
    std::string lower = pluginPath;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    size_t at = lower.find("plugins");
    if (at == std::string::npos)
        return std::string();

    std::string program = pluginPath.substr(0, at) + (browserChoice != BrowserNetscape ? "iexplore.exe" : "netscape.exe");
    std::string page = startDirectory + "\\BatchBM.htm";
    // A drive path keeps its colon; a \\server\share path stays as it is.
    bool unc = page.size() > 1 && page[0] == '\\' && page[1] == '\\';
    if (!unc && page.size() > 1)
        page[1] = ':';
    return "\"" + program + "\" \"" + page + "\"";
}

bool LaunchBrowser(const WizardState& state) {
    std::string command = BuildBrowserCommand(state.GetPluginPath(), state.GetBrowserChoice(), state.GetStartDirectory());
    if (command.empty())
        return false;
    WinExec(command.c_str(), SW_SHOWDEFAULT);
    return true;
}

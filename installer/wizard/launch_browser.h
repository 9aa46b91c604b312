// Starting the browser on the start page after Finish.
#pragma once

#include <string>

class WizardState;

// The command line that starts the browser beside the plug-in folder on the
// start page: both paths quoted. Empty when the plug-in path holds no
// "plugins" folder (any letter case) or there is no start directory.
std::string BuildBrowserCommand(const std::string& pluginPath, int browserChoice,
                                const std::string& startDirectory);

// Runs that command; false when there was none to run.
bool LaunchBrowser(const WizardState& state);

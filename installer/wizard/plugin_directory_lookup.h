// Where the browsers keep their plug-ins, from the registry. Each lookup
// returns empty text when a key on its way is missing or a value cannot be
// read (a value longer than 255 characters counts as missing), and closes
// every key it opened before it returns.
#pragma once

#include <string>

class WizardState;

// Netscape's "Plugins Directory", unchanged; also left in the wizard state as the
// browser program directory.
std::string GetNetscapePluginsDirectory(WizardState& state);
// Internet Explorer 4.x/5.x: its "Path" followed by "\Plugins"; the path is
// left in the wizard state as the browser program directory.
std::string GetIE4PluginDirectory(WizardState& state);
// Internet Explorer 3.x: the folder above its cache followed by "\Plugins".
std::string GetIE3PluginDirectory();
// The command that opens "http" addresses, without a leading double quote.
std::string GetHttpOpenCommand();

// The "Plugins" folder beside the first of the program names found in the
// "http" command (the names are tried in order), or empty text.
std::string PluginsBesideHttpProgram(const char* const names[3]);

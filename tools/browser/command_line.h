// The browser's command line: browser.exe [-plugins <dir>] [-log <file>] [<page>]
// The page is the rest of the line, quoted or not, so that an unquoted path
// with blanks in it works as well.
#pragma once

#include <string>

namespace zorbit::browser {

struct CommandLine {
    std::string pluginDir;  // "" when not given
    std::string logFile;    // "" when not given
    std::string page;       // "" when not given
};

// Parses the arguments that follow the program name.
CommandLine ParseArguments(const std::string& arguments);

// Drops the program name (quoted or not) from a full command line.
std::string SkipProgramName(const std::string& commandLine);

}  // namespace zorbit::browser

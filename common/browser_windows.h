// Finding an open browser by what it is: a shown frame window of a
// browser's own class in that browser's own program. A title says nothing:
// any program can carry "Netscape" in its title, and later browsers word
// theirs differently. Nothing is ever sent to the window found.
#pragma once

#include <windows.h>

#include <string>

// Whether a top-level window of class windowClass in the program file
// programName (no folder) is a browser's frame.
bool IsBrowserFrame(const std::string& windowClass, const std::string& programName);

// The first shown top-level browser frame, or null.
HWND FindOpenBrowser();
// The same for Internet Explorer alone.
HWND FindOpenInternetExplorer();

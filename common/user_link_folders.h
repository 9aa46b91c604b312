// Where the user keeps links: the folders the shell names (Favorites,
// Programs) and the current Netscape user's directory. The installer adds
// its entries there; the editor imports the user's links from there.
#pragma once

#include <string>

// A folder of HKCU's Explorer "Shell Folders" ("Favorites", "Programs"),
// empty when the registry names none.
std::string ReadShellFolder(const char* name);

// The current Netscape user's directory, empty when the registry names none.
std::string GetNetscapeUserDirectory();

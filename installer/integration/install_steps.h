// The integration steps the install page runs: on activation the bookmark
// (Netscape) or the favourite (Internet Explorer), on Finish the shell
// entries and the collection settings.
#pragma once

#include <string>

#include "installer/integration/install_state.h"

std::string GetNetscapeUserDirectory();
bool AddNetscapeBookmark(InstallState& state);

// Returns the Favorites folder; stores the Programs folder in the state.
std::string GetShellFolders(InstallState& state);
// Throws FileError when an earlier favourite cannot be deleted.
bool AddFavorite(InstallState& state);

bool FinishInstall(InstallState& state);
bool CreateProgramGroup(InstallState& state);
void CreateBrowserShortcuts(InstallState& state);
int WriteCollectionSettings(InstallState& state);

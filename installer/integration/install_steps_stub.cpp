// Placeholder until the integration steps land.
#include "installer/integration/install_steps.h"

std::string GetNetscapeUserDirectory() { return std::string(); }
bool AddNetscapeBookmark(InstallState&) { return false; }
std::string GetShellFolders(InstallState&) { return std::string(); }
bool AddFavorite(InstallState&) { return true; }
bool FinishInstall(InstallState&) { return true; }
bool CreateProgramGroup(InstallState&) { return true; }
void CreateBrowserShortcuts(InstallState&) {}
int WriteCollectionSettings(InstallState&) { return 1; }

#include "installer/integration/install_steps.h"

std::string GetShellFolders(InstallState& state) {
    state.programsFolder = ReadShellFolder("Programs");
    return ReadShellFolder("Favorites");
}

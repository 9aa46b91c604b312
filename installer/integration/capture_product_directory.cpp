#include "installer/integration/install_state.h"

#include <windows.h>

bool CaptureProductDirectory(InstallState& state) {
    // A cut directory would put every later file in the wrong place.
    if (state.startDirectory.empty() || state.startDirectory.size() >= MAX_PATH) {
        state.productDirectory.clear();
        return false;
    }
    state.productDirectory = state.startDirectory;
    return true;
}

#include "installer/integration/install_state.h"

#include <windows.h>

bool CaptureProductDirectory(InstallState& state) {
    // A cut directory would put every later file in the wrong place.
    if (state.startDirectory.empty() || state.startDirectory.size() >= MAX_PATH) {
        state.productDirectory.clear();
        return false;
    }
    // The form every program names the product by: a drive root is "D:",
    // so that "\\SetUp.ini" after it names D:\SetUp.ini.
    state.productDirectory = ProductDirectory(state.startDirectory);
    return !state.productDirectory.empty();
}

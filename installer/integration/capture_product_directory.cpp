#include "installer/integration/install_state.h"

#include <windows.h>

bool CaptureProductDirectory(InstallState& state) {
    char buffer[MAX_PATH];
    SetLastError(0);
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    // A result of the buffer size or more is the size needed: the path did
    // not fit, and a cut one would put every later file in the wrong place.
    if (length == 0 || length >= sizeof buffer) {
        state.productDirectory.clear();
        return false;
    }
    state.productDirectory.assign(buffer, length);
    return true;
}

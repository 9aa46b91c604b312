// Start-up and tear-down of the library inside the browser process.
#include <windows.h>

#include "plugin/entry/entry_points.h"

NPError NPP_Initialize() noexcept { return NPERR_NO_ERROR; }

// Gives messages still addressed to the plug-in's windows (those the hooks
// posted last, say) about a second to be handled while the code is loaded.
void NPP_Shutdown() noexcept {
    for (int pass = 0; pass < 20; ++pass) {
        Sleep(50);
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            continue;
        if (msg.message == WM_QUIT) {
            // The quit request is the browser's: put it back for its own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void NPP_Print(NPP instance, void* platformPrint) noexcept {}
void NPP_URLNotify(NPP instance, const char* url, NPReason reason, void* notifyData) noexcept {}

// The three exports. The plug-in table belongs to the browser; the library
// only keeps its address so that NP_Initialize can complete it.
#include "plugin/entry/browser_services.h"
#include "plugin/entry/entry_points.h"
#include "plugin/menubar/plugin_module.h"

namespace {
NPPluginFuncs* g_pluginFuncs = nullptr;
}

NPError NP_EXPORT_CALL NP_GetEntryPoints(NPPluginFuncs* pFuncs) noexcept {
    if (!pFuncs)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    // `size` is the browser's: neither read nor written.
    pFuncs->version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
    pFuncs->newp = NPP_New;
    pFuncs->destroy = NPP_Destroy;
    pFuncs->setwindow = NPP_SetWindow;
    pFuncs->newstream = NPP_NewStream;
    pFuncs->destroystream = NPP_DestroyStream;
    pFuncs->asfile = NPP_StreamAsFile;
    pFuncs->writeready = NPP_WriteReady;
    pFuncs->write = NPP_Write;
    pFuncs->print = NPP_Print;
    pFuncs->event = nullptr;
    g_pluginFuncs = pFuncs;
    return NPERR_NO_ERROR;
}

NPError NP_EXPORT_CALL NP_Initialize(NPNetscapeFuncs* bFuncs) noexcept {
    if (!bFuncs)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    SetBrowserFuncs(bFuncs);
    const uint16_t version = bFuncs->version;
    if ((version >> 8) != NP_VERSION_MAJOR)
        return NPERR_INCOMPATIBLE_VERSION_ERROR;
    // A browser that skipped NP_GetEntryPoints left no table to complete.
    if ((version & 0xff) >= 9 && g_pluginFuncs) {
        g_pluginFuncs->urlnotify = NPP_URLNotify;
        g_pluginFuncs->javaClass = nullptr;
    }
    return NPP_Initialize();
}

NPError NP_EXPORT_CALL NP_Shutdown() noexcept {
    NPP_Shutdown();
    SetBrowserFuncs(nullptr);
    // Called from inside a procedure of ours (a menu loop or a box that a
    // passed-on message opened, a navigation): the library is let go
    // before that procedure returns into it.
    if (PluginModuleInUse())
        PinPluginModule();
    return NPERR_NO_ERROR;
}

#include "plugin/entry/browser_services.h"

namespace {
NPNetscapeFuncs* g_browser = nullptr;
}

NPNetscapeFuncs* BrowserFuncs() { return g_browser; }
void SetBrowserFuncs(NPNetscapeFuncs* funcs) { g_browser = funcs; }

NPError NPN_GetURL(NPP instance, const char* url, const char* window) {
    if (!g_browser || !g_browser->geturl)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    return g_browser->geturl(instance, url, window);
}

void NPN_Status(NPP instance, const char* message) {
    if (!g_browser || !g_browser->status)
        return;
    g_browser->status(instance, message);
}

void* NPN_MemAlloc(uint32_t size) {
    if (!g_browser || !g_browser->memalloc)
        return nullptr;
    return g_browser->memalloc(size);
}

void NPN_MemFree(void* ptr) {
    if (!g_browser || !g_browser->memfree)
        return;
    g_browser->memfree(ptr);
}

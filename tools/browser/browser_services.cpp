#include "tools/browser/browser_services.h"

#include <cstdlib>
#include <map>

#include "tools/browser/browser_host.h"

namespace zorbit::browser {
namespace {

struct Registered {
    PluginInstance* instance;
    BrowserHost* host;
};

std::map<NPP, Registered>& Registry() {
    static std::map<NPP, Registered> registry;
    return registry;
}

const Registered* Find(NPP npp) {
    auto it = Registry().find(npp);
    return it == Registry().end() ? nullptr : &it->second;
}

NPError GetUrl(NPP npp, const char* url, const char* target) {
    const Registered* registered = Find(npp);
    if (!registered) return NPERR_INVALID_INSTANCE_ERROR;
    if (!url) return NPERR_GENERIC_ERROR;
    return registered->host->RequestUrl(registered->instance, url, target);
}

void Status(NPP npp, const char* message) {
    const Registered* registered = Find(npp);
    if (!registered) return;
    registered->host->ShowPluginStatus(message ? message : "");
}

void* MemAlloc(uint32_t size) { return std::malloc(size ? size : 1); }
void MemFree(void* block) { std::free(block); }

NPError PostUrl(NPP, const char*, const char*, uint32_t, const char*, NPBool) { return NPERR_GENERIC_ERROR; }
NPError RequestRead(NPStream*, void*) { return NPERR_GENERIC_ERROR; }
NPError NewStream(NPP, char*, const char*, NPStream** stream) {
    if (stream) *stream = nullptr;
    return NPERR_GENERIC_ERROR;
}
int32_t Write(NPP, NPStream*, int32_t, void*) { return -1; }
NPError DestroyStream(NPP, NPStream*, NPReason) { return NPERR_GENERIC_ERROR; }
const char* UserAgent(NPP) { return "Mozilla/4.0 (compatible; Zorbit Browser 1.0; Windows)"; }

}  // namespace

NPNetscapeFuncs* BrowserFuncs() {
    static NPNetscapeFuncs funcs = [] {
        NPNetscapeFuncs f = {};
        f.size = sizeof(NPNetscapeFuncs);
        f.version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
        f.geturl = GetUrl;
        f.posturl = PostUrl;
        f.requestread = RequestRead;
        f.newstream = NewStream;
        f.write = Write;
        f.destroystream = DestroyStream;
        f.status = Status;
        f.uagent = UserAgent;
        f.memalloc = MemAlloc;
        f.memfree = MemFree;
        return f;
    }();
    return &funcs;
}

void RegisterInstance(NPP npp, PluginInstance* instance, BrowserHost* host) { Registry()[npp] = {instance, host}; }
void UnregisterInstance(NPP npp) { Registry().erase(npp); }

PluginInstance* FindInstance(NPP npp) {
    const Registered* registered = Find(npp);
    return registered ? registered->instance : nullptr;
}

}  // namespace zorbit::browser

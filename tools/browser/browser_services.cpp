#include "tools/browser/browser_services.h"

#include <cstdlib>
#include <map>

#include "tools/browser/browser_frame.h"
#include "tools/browser/plugin_instance.h"

namespace zorbit::browser {
namespace {

std::map<NPP, PluginInstance*>& Registry() {
    static std::map<NPP, PluginInstance*> registry;
    return registry;
}

NPError GetUrl(NPP npp, const char* url, const char* target) {
    PluginInstance* instance = FindInstance(npp);
    if (!instance) return NPERR_INVALID_INSTANCE_ERROR;
    if (!url) return NPERR_GENERIC_ERROR;
    return instance->owner()->RequestUrl(instance, url, target);
}

void Status(NPP npp, const char* message) {
    PluginInstance* instance = FindInstance(npp);
    if (!instance) return;
    instance->owner()->ShowPluginStatus(message ? message : "");
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

void RegisterInstance(NPP npp, PluginInstance* instance) { Registry()[npp] = instance; }
void UnregisterInstance(NPP npp) { Registry().erase(npp); }

PluginInstance* FindInstance(NPP npp) {
    auto it = Registry().find(npp);
    return it == Registry().end() ? nullptr : it->second;
}

}  // namespace zorbit::browser

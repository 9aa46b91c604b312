// A plug-in that records every call the browser makes into the file named by
// ZORBIT_TEST_PLUGIN_LOG, one line each. Embed attributes tell it what to ask
// of the browser:
//   geturl=<url>              NPN_GetURL(url, null) in NPP_New
//   navigate=<url> target=<t> NPN_GetURL(url, t) when its window gets WM_USER+10
//                             (as a menu command would arrive), or in NPP_New
//                             too when "navigatenow" is given
//   status=<text>             NPN_Status in NPP_New; again on WM_USER+11
//   writeready=<n>            what NPP_WriteReady answers (65535 otherwise)
//   stype=<n>                 the stream type NPP_NewStream asks for (NP_ASFILE otherwise)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/entry/npapi.h"

namespace {

NPNetscapeFuncs* gBrowser = nullptr;
const UINT kNavigateCommand = WM_USER + 10;
const UINT kStatusCommand = WM_USER + 11;

struct InstanceData {
    NPP npp;
    HWND hwnd;
    WNDPROC previousProc;
    int32_t writeReady;
    uint16_t streamType;
    char navigate[MAX_PATH];
    char target[64];
    char status[256];
};

void Record(const std::string& line) {
    char path[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("ZORBIT_TEST_PLUGIN_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    FILE* f = std::fopen(path, "ab");
    if (!f) return;
    std::fprintf(f, "%s\r\n", line.c_str());
    std::fclose(f);
}

void CopyText(char* dest, size_t size, const char* src) {
    std::snprintf(dest, size, "%s", src ? src : "");
}

int Depth(HWND hwnd) {
    int depth = 0;
    for (HWND parent = GetParent(hwnd); parent; parent = GetParent(parent)) ++depth;
    return depth;
}

LRESULT CALLBACK PluginWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = static_cast<InstanceData*>(GetPropA(hwnd, "zorbit.test"));
    if (!data) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == kNavigateCommand && data->navigate[0]) {
        NPError result = gBrowser->geturl(data->npp, data->navigate, data->target[0] ? data->target : nullptr);
        Record("command geturl result=" + std::to_string(result));
        return 0;
    }
    if (message == kStatusCommand) {
        gBrowser->status(data->npp, data->status);
        return 0;
    }
    return CallWindowProcA(data->previousProc, hwnd, message, wParam, lParam);
}

NPError New(char* type, NPP instance, uint16_t mode, int16_t argc, char* argn[], char* argv[], NPSavedData*) {
    Record("NPP_New type=" + std::string(type ? type : "(null)") + " mode=" + std::to_string(mode) +
           " argc=" + std::to_string(argc));
    if (!instance) return NPERR_INVALID_INSTANCE_ERROR;
    auto* data = static_cast<InstanceData*>(gBrowser->memalloc(sizeof(InstanceData)));
    if (!data) return NPERR_OUT_OF_MEMORY_ERROR;
    std::memset(data, 0, sizeof *data);
    data->npp = instance;
    data->writeReady = 65535;
    data->streamType = NP_ASFILE;
    instance->pdata = data;
    const char* geturl = nullptr;
    bool navigateNow = false;
    for (int i = 0; i < argc; ++i) {
        Record(std::string("arg ") + argn[i] + "=" + argv[i]);
        if (!_stricmp(argn[i], "geturl")) geturl = argv[i];
        if (!_stricmp(argn[i], "navigate")) CopyText(data->navigate, sizeof data->navigate, argv[i]);
        if (!_stricmp(argn[i], "target")) CopyText(data->target, sizeof data->target, argv[i]);
        if (!_stricmp(argn[i], "status")) CopyText(data->status, sizeof data->status, argv[i]);
        if (!_stricmp(argn[i], "writeready")) data->writeReady = std::atoi(argv[i]);
        if (!_stricmp(argn[i], "stype")) data->streamType = static_cast<uint16_t>(std::atoi(argv[i]));
        if (!_stricmp(argn[i], "navigatenow")) navigateNow = true;
    }
    if (geturl) {
        NPError result = gBrowser->geturl(instance, geturl, nullptr);
        Record("geturl result=" + std::to_string(result));
    }
    if (navigateNow && data->navigate[0]) {
        NPError result = gBrowser->geturl(instance, data->navigate, data->target[0] ? data->target : nullptr);
        Record("navigate result=" + std::to_string(result));
    }
    if (data->status[0]) gBrowser->status(instance, data->status);
    Record("NPP_New done");
    return NPERR_NO_ERROR;
}

NPError SetWindow(NPP instance, NPWindow* window) {
    if (!instance || !instance->pdata || !window) return NPERR_INVALID_INSTANCE_ERROR;
    auto* data = static_cast<InstanceData*>(instance->pdata);
    HWND hwnd = static_cast<HWND>(window->window);
    RECT r = {};
    GetClientRect(hwnd, &r);
    Record("NPP_SetWindow depth=" + std::to_string(Depth(hwnd)) + " size=" + std::to_string(window->width) + "x" +
           std::to_string(window->height) + " client=" + std::to_string(r.right) + "x" + std::to_string(r.bottom));
    if (hwnd && !data->hwnd) {
        data->hwnd = hwnd;
        SetPropA(hwnd, "zorbit.test", data);
        data->previousProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PluginWndProc)));
    }
    return NPERR_NO_ERROR;
}

NPError Destroy(NPP instance, NPSavedData**) {
    Record("NPP_Destroy");
    if (!instance || !instance->pdata) return NPERR_INVALID_INSTANCE_ERROR;
    auto* data = static_cast<InstanceData*>(instance->pdata);
    if (data->hwnd) {
        SetWindowLongPtrA(data->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(data->previousProc));
        RemovePropA(data->hwnd, "zorbit.test");
    }
    instance->pdata = nullptr;
    gBrowser->memfree(data);
    return NPERR_NO_ERROR;
}

NPError NewStream(NPP instance, char* type, NPStream* stream, NPBool seekable, uint16_t* stype) {
    Record("NPP_NewStream url=" + std::string(stream && stream->url ? stream->url : "(null)") + " type=" +
           (type ? type : "(null)") + " end=" + std::to_string(stream ? stream->end : 0));
    if (!instance || !instance->pdata) return NPERR_INVALID_INSTANCE_ERROR;
    *stype = static_cast<InstanceData*>(instance->pdata)->streamType;
    return NPERR_NO_ERROR;
}

int32_t WriteReady(NPP instance, NPStream*) {
    int32_t ready = instance && instance->pdata ? static_cast<InstanceData*>(instance->pdata)->writeReady : 0;
    Record("NPP_WriteReady " + std::to_string(ready));
    return ready;
}

int32_t Write(NPP, NPStream*, int32_t offset, int32_t len, void*) {
    Record("NPP_Write offset=" + std::to_string(offset) + " len=" + std::to_string(len));
    return len;
}

void StreamAsFile(NPP, NPStream*, const char* fname) {
    DWORD attributes = fname ? GetFileAttributesA(fname) : INVALID_FILE_ATTRIBUTES;
    Record(std::string("NPP_StreamAsFile ") + (fname ? fname : "(null)") +
           " exists=" + (attributes != INVALID_FILE_ATTRIBUTES ? "1" : "0"));
}

NPError DestroyStream(NPP, NPStream*, NPReason reason) {
    Record("NPP_DestroyStream reason=" + std::to_string(reason));
    return NPERR_NO_ERROR;
}

void Print(NPP, void*) {}

}  // namespace

extern "C" {

NPError __stdcall NP_GetEntryPoints(NPPluginFuncs* funcs) {
    Record("NP_GetEntryPoints");
    if (!funcs) return NPERR_INVALID_FUNCTABLE_ERROR;
    funcs->version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
    funcs->newp = New;
    funcs->destroy = Destroy;
    funcs->setwindow = SetWindow;
    funcs->newstream = NewStream;
    funcs->destroystream = DestroyStream;
    funcs->asfile = StreamAsFile;
    funcs->writeready = WriteReady;
    funcs->write = Write;
    funcs->print = Print;
    funcs->event = nullptr;
    return NPERR_NO_ERROR;
}

NPError __stdcall NP_Initialize(NPNetscapeFuncs* browser) {
    Record("NP_Initialize version=" + std::to_string(browser ? browser->version : -1));
    if (!browser) return NPERR_INVALID_FUNCTABLE_ERROR;
    gBrowser = browser;
    return NPERR_NO_ERROR;
}

NPError __stdcall NP_Shutdown() {
    Record("NP_Shutdown");
    gBrowser = nullptr;
    return NPERR_NO_ERROR;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) Record("attach");
    if (reason == DLL_PROCESS_DETACH) Record(reserved ? "detach exit" : "detach free");
    return TRUE;
}

}  // extern "C"

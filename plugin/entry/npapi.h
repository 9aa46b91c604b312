// Netscape plug-in interface for Windows, declared from its published ABI.
// Shared by the plug-in and by our browser host in tools/browser.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#define NP_LOADDS
#define NP_EXPORT_CALL __stdcall
#else
#define NP_LOADDS
#define NP_EXPORT_CALL
#endif

typedef int16_t NPError;
typedef int16_t NPReason;
typedef unsigned char NPBool;

struct NPP_t {
    void* pdata;  // the plug-in's own instance data
    void* ndata;  // the browser's
};
typedef NPP_t* NPP;

struct NPSavedData {
    int32_t len;
    void* buf;
};

struct NPRect {
    uint16_t top;
    uint16_t left;
    uint16_t bottom;
    uint16_t right;
};

struct NPWindow {
    void* window;  // HWND on Windows
    int32_t x;
    int32_t y;
    uint32_t width;
    uint32_t height;
    NPRect clipRect;
    int32_t type;
};

struct NPStream {
    void* pdata;
    void* ndata;
    const char* url;
    uint32_t end;
    uint32_t lastmodified;
    void* notifyData;
    const char* headers;
};

enum : NPError {
    NPERR_NO_ERROR = 0,
    NPERR_GENERIC_ERROR = 1,
    NPERR_INVALID_INSTANCE_ERROR = 2,
    NPERR_INVALID_FUNCTABLE_ERROR = 3,
    NPERR_MODULE_LOAD_FAILED_ERROR = 4,
    NPERR_OUT_OF_MEMORY_ERROR = 5,
    NPERR_INVALID_PLUGIN_ERROR = 6,
    NPERR_INVALID_PLUGIN_DIR_ERROR = 7,
    NPERR_INCOMPATIBLE_VERSION_ERROR = 8,
};

enum : NPReason {
    NPRES_DONE = 0,
    NPRES_NETWORK_ERR = 1,
    NPRES_USER_BREAK = 2,
};

enum : uint16_t {
    NP_NORMAL = 1,
    NP_SEEK = 2,
    NP_ASFILE = 3,
    NP_ASFILEONLY = 4,
};

enum : uint16_t {
    NP_EMBED = 1,
    NP_FULL = 2,
};

#define NP_VERSION_MAJOR 0
#define NP_VERSION_MINOR 9

// Plug-in side entry points (C calling convention).
typedef NPError (*NPP_NewProcPtr)(char* type, NPP instance, uint16_t mode, int16_t argc,
                                  char* argn[], char* argv[], NPSavedData* saved);
typedef NPError (*NPP_DestroyProcPtr)(NPP instance, NPSavedData** save);
typedef NPError (*NPP_SetWindowProcPtr)(NPP instance, NPWindow* window);
typedef NPError (*NPP_NewStreamProcPtr)(NPP instance, char* type, NPStream* stream,
                                        NPBool seekable, uint16_t* stype);
typedef NPError (*NPP_DestroyStreamProcPtr)(NPP instance, NPStream* stream, NPReason reason);
typedef void (*NPP_StreamAsFileProcPtr)(NPP instance, NPStream* stream, const char* fname);
typedef int32_t (*NPP_WriteReadyProcPtr)(NPP instance, NPStream* stream);
typedef int32_t (*NPP_WriteProcPtr)(NPP instance, NPStream* stream, int32_t offset,
                                    int32_t len, void* buffer);
typedef void (*NPP_PrintProcPtr)(NPP instance, void* platformPrint);
typedef int16_t (*NPP_HandleEventProcPtr)(NPP instance, void* event);
typedef void (*NPP_URLNotifyProcPtr)(NPP instance, const char* url, NPReason reason,
                                     void* notifyData);

struct NPPluginFuncs {
    uint16_t size;
    uint16_t version;
    NPP_NewProcPtr newp;
    NPP_DestroyProcPtr destroy;
    NPP_SetWindowProcPtr setwindow;
    NPP_NewStreamProcPtr newstream;
    NPP_DestroyStreamProcPtr destroystream;
    NPP_StreamAsFileProcPtr asfile;
    NPP_WriteReadyProcPtr writeready;
    NPP_WriteProcPtr write;
    NPP_PrintProcPtr print;
    NPP_HandleEventProcPtr event;
    NPP_URLNotifyProcPtr urlnotify;
    void* javaClass;
    // Later members of the table are not touched by this plug-in; browsers
    // that pass a larger table keep them as they set them.
};

// Browser side services (C calling convention).
typedef NPError (*NPN_GetURLProcPtr)(NPP instance, const char* url, const char* window);
typedef NPError (*NPN_PostURLProcPtr)(NPP instance, const char* url, const char* window,
                                      uint32_t len, const char* buf, NPBool file);
typedef NPError (*NPN_RequestReadProcPtr)(NPStream* stream, void* rangeList);
typedef NPError (*NPN_NewStreamProcPtr)(NPP instance, char* type, const char* window,
                                        NPStream** stream);
typedef int32_t (*NPN_WriteProcPtr)(NPP instance, NPStream* stream, int32_t len, void* buffer);
typedef NPError (*NPN_DestroyStreamProcPtr)(NPP instance, NPStream* stream, NPReason reason);
typedef void (*NPN_StatusProcPtr)(NPP instance, const char* message);
typedef const char* (*NPN_UserAgentProcPtr)(NPP instance);
typedef void* (*NPN_MemAllocProcPtr)(uint32_t size);
typedef void (*NPN_MemFreeProcPtr)(void* ptr);

struct NPNetscapeFuncs {
    uint16_t size;
    uint16_t version;
    NPN_GetURLProcPtr geturl;
    NPN_PostURLProcPtr posturl;
    NPN_RequestReadProcPtr requestread;
    NPN_NewStreamProcPtr newstream;
    NPN_WriteProcPtr write;
    NPN_DestroyStreamProcPtr destroystream;
    NPN_StatusProcPtr status;
    NPN_UserAgentProcPtr uagent;
    NPN_MemAllocProcPtr memalloc;
    NPN_MemFreeProcPtr memfree;
    // Later members exist in newer browsers; this plug-in calls none of them.
};

// The three exports of a Windows plug-in library.
typedef NPError(NP_EXPORT_CALL* NP_GetEntryPointsFunc)(NPPluginFuncs* pFuncs);
typedef NPError(NP_EXPORT_CALL* NP_InitializeFunc)(NPNetscapeFuncs* bFuncs);
typedef NPError(NP_EXPORT_CALL* NP_ShutdownFunc)();

// The layouts a browser passes, as the published interface has them for
// 32-bit and for 64-bit Windows.
#if defined(_WIN32) && defined(__i386__)
static_assert(sizeof(NPP_t) == 8, "NPP_t layout");
static_assert(sizeof(NPSavedData) == 8, "NPSavedData layout");
static_assert(sizeof(NPRect) == 8, "NPRect layout");
static_assert(sizeof(NPWindow) == 32, "NPWindow layout");
static_assert(offsetof(NPWindow, clipRect) == 20, "NPWindow layout");
static_assert(offsetof(NPWindow, type) == 28, "NPWindow layout");
static_assert(sizeof(NPStream) == 28, "NPStream layout");
static_assert(offsetof(NPPluginFuncs, newp) == 4, "NPPluginFuncs layout");
static_assert(offsetof(NPPluginFuncs, event) == 40, "NPPluginFuncs layout");
static_assert(offsetof(NPPluginFuncs, urlnotify) == 44, "NPPluginFuncs layout");
static_assert(offsetof(NPPluginFuncs, javaClass) == 48, "NPPluginFuncs layout");
static_assert(sizeof(NPPluginFuncs) == 52, "NPPluginFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, geturl) == 4, "NPNetscapeFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, status) == 28, "NPNetscapeFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, memalloc) == 36, "NPNetscapeFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, memfree) == 40, "NPNetscapeFuncs layout");
#elif defined(_WIN32) && defined(__x86_64__)
static_assert(sizeof(NPP_t) == 16, "NPP_t layout");
static_assert(sizeof(NPSavedData) == 16, "NPSavedData layout");
static_assert(offsetof(NPSavedData, buf) == 8, "NPSavedData layout");
static_assert(sizeof(NPRect) == 8, "NPRect layout");
static_assert(sizeof(NPWindow) == 40, "NPWindow layout");
static_assert(offsetof(NPWindow, x) == 8, "NPWindow layout");
static_assert(offsetof(NPWindow, clipRect) == 24, "NPWindow layout");
static_assert(offsetof(NPWindow, type) == 32, "NPWindow layout");
static_assert(sizeof(NPStream) == 48, "NPStream layout");
static_assert(offsetof(NPStream, end) == 24, "NPStream layout");
static_assert(offsetof(NPStream, notifyData) == 32, "NPStream layout");
static_assert(offsetof(NPPluginFuncs, newp) == 8, "NPPluginFuncs layout");
static_assert(offsetof(NPPluginFuncs, event) == 80, "NPPluginFuncs layout");
static_assert(offsetof(NPPluginFuncs, urlnotify) == 88, "NPPluginFuncs layout");
static_assert(offsetof(NPPluginFuncs, javaClass) == 96, "NPPluginFuncs layout");
static_assert(sizeof(NPPluginFuncs) == 104, "NPPluginFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, geturl) == 8, "NPNetscapeFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, status) == 56, "NPNetscapeFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, memalloc) == 72, "NPNetscapeFuncs layout");
static_assert(offsetof(NPNetscapeFuncs, memfree) == 80, "NPNetscapeFuncs layout");
#endif

// The plug-in's entry points: the three exports the browser finds by name,
// and the functions the plug-in function table points at (C calling
// convention, as the table's slot types say). No exception leaves any of
// them: the browser's C code cannot take one. Those that can run out of
// memory catch at their edge and fail as an allocation failure does.
#pragma once

#include "plugin/entry/npapi.h"

extern "C" {
NPError NP_EXPORT_CALL NP_GetEntryPoints(NPPluginFuncs* pFuncs) noexcept;
NPError NP_EXPORT_CALL NP_Initialize(NPNetscapeFuncs* bFuncs) noexcept;
NPError NP_EXPORT_CALL NP_Shutdown() noexcept;
}

// Library start-up and tear-down, run by NP_Initialize and NP_Shutdown.
NPError NPP_Initialize() noexcept;
void NPP_Shutdown() noexcept;

// Instance and window.
NPError NPP_New(char* type, NPP instance, uint16_t mode, int16_t argc, char* argn[], char* argv[],
                NPSavedData* saved) noexcept;
NPError NPP_Destroy(NPP instance, NPSavedData** save) noexcept;
NPError NPP_SetWindow(NPP instance, NPWindow* window) noexcept;

// Streams: every stream is taken as a local file.
NPError NPP_NewStream(NPP instance, char* type, NPStream* stream, NPBool seekable, uint16_t* stype) noexcept;
NPError NPP_DestroyStream(NPP instance, NPStream* stream, NPReason reason) noexcept;
void NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname) noexcept;
int32_t NPP_WriteReady(NPP instance, NPStream* stream) noexcept;
int32_t NPP_Write(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer) noexcept;

// Printing and URL notifications are not supported: both do nothing.
void NPP_Print(NPP instance, void* platformPrint) noexcept;
void NPP_URLNotify(NPP instance, const char* url, NPReason reason, void* notifyData) noexcept;

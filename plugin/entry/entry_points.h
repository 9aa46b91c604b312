// The plug-in's entry points: the three exports the browser finds by name,
// and the functions the plug-in function table points at (C calling
// convention, as the table's slot types say).
#pragma once

#include "plugin/entry/npapi.h"

extern "C" {
NPError NP_EXPORT_CALL NP_GetEntryPoints(NPPluginFuncs* pFuncs);
NPError NP_EXPORT_CALL NP_Initialize(NPNetscapeFuncs* bFuncs);
NPError NP_EXPORT_CALL NP_Shutdown();
}

// Library start-up and tear-down, run by NP_Initialize and NP_Shutdown.
NPError NPP_Initialize();
void NPP_Shutdown();

// Instance and window.
NPError NPP_New(char* type, NPP instance, uint16_t mode, int16_t argc, char* argn[], char* argv[],
                NPSavedData* saved);
NPError NPP_Destroy(NPP instance, NPSavedData** save);
NPError NPP_SetWindow(NPP instance, NPWindow* window);

// Streams: every stream is taken as a local file.
NPError NPP_NewStream(NPP instance, char* type, NPStream* stream, NPBool seekable, uint16_t* stype);
NPError NPP_DestroyStream(NPP instance, NPStream* stream, NPReason reason);
void NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname);
int32_t NPP_WriteReady(NPP instance, NPStream* stream);
int32_t NPP_Write(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer);

// Printing and URL notifications are not supported: both do nothing.
void NPP_Print(NPP instance, void* platformPrint);
void NPP_URLNotify(NPP instance, const char* url, NPReason reason, void* notifyData);

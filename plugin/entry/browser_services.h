// The browser's services, called through the browser function table that
// NP_Initialize stores. Without a table (before NP_Initialize, after
// NP_Shutdown) or without the slot, nothing is called: NPN_GetURL gives
// NPERR_INVALID_FUNCTABLE_ERROR, NPN_MemAlloc null, the others do nothing.
#pragma once

#include "plugin/entry/npapi.h"

NPError NPN_GetURL(NPP instance, const char* url, const char* window);
void NPN_Status(NPP instance, const char* message);
void* NPN_MemAlloc(uint32_t size);
void NPN_MemFree(void* ptr);

// The library-wide browser table: set by NP_Initialize, cleared by NP_Shutdown.
NPNetscapeFuncs* BrowserFuncs();
void SetBrowserFuncs(NPNetscapeFuncs* funcs);

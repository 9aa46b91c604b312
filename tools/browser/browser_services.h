// The browser function table handed to every plug-in library, and the
// registry that maps the instance handles plug-ins pass back to our
// instances (a handle we do not know is refused, never dereferenced).
#pragma once

#include "plugin/entry/npapi.h"

namespace zorbit::browser {

class BrowserHost;
class PluginInstance;

NPNetscapeFuncs* BrowserFuncs();

// The instance behind npp, and the browser that shows it.
void RegisterInstance(NPP npp, PluginInstance* instance, BrowserHost* host);
void UnregisterInstance(NPP npp);
PluginInstance* FindInstance(NPP npp);

}  // namespace zorbit::browser

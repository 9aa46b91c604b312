// What a plug-in instance asks of the browser that shows it. The frame
// implements it; the instances and the function table handed to plug-ins
// know only this.
#pragma once

#include <string>

#include "plugin/entry/npapi.h"

namespace zorbit::browser {

class PluginInstance;

class BrowserHost {
public:
    virtual NPError RequestUrl(PluginInstance* instance, const char* url, const char* target) = 0;
    virtual void ShowPluginStatus(const std::string& text) = 0;

protected:
    ~BrowserHost() = default;
};

}  // namespace zorbit::browser

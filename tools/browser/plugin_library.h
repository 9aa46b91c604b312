// One plug-in library in the plug-in folder: its MIME registration read from
// the version resource, and its load, start-up and shutdown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/entry/npapi.h"

namespace zorbit::browser {

class BrowserLog;

// The MIME types and file extensions a library's version resource declares
// ("MIMEType" and "FileExtents", each a '|'-separated list).
struct PluginRegistration {
    std::vector<std::string> mimeTypes;
    std::vector<std::string> extensions;
};

bool ReadPluginRegistration(const std::string& path, PluginRegistration* out);

class PluginLibrary {
public:
    PluginLibrary(std::string path, PluginRegistration registration);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const std::string& path() const { return path_; }
    const PluginRegistration& registration() const { return registration_; }
    bool Serves(const std::string& mimeType) const;
    bool ServesExtension(const std::string& extension) const;

    // Loads the library on first use and runs NP_GetEntryPoints, then
    // NP_Initialize, once. False when either fails (the library is freed).
    bool Start(NPNetscapeFuncs* browserFuncs, BrowserLog& log);
    bool started() const { return started_; }
    NPPluginFuncs& funcs() { return table_.funcs; }

    // NP_Shutdown and FreeLibrary, when started.
    void Stop(BrowserLog& log);

private:
    std::string path_;
    PluginRegistration registration_;
    HMODULE module_ = nullptr;
    bool started_ = false;
    bool failed_ = false;
    struct {
        NPPluginFuncs funcs;
        // Room for a plug-in built against a longer table than ours.
        char spare[64];
    } table_{};
};

}  // namespace zorbit::browser

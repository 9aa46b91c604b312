// One embedded object on the page: the instance handle the plug-in sees, the
// child window the browser made for it, and the calls of the instance entry
// points, each written to the log.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/entry/npapi.h"

namespace zorbit::browser {

class BrowserHost;
class BrowserLog;
class PluginLibrary;

class PluginInstance {
public:
    PluginInstance(int id, BrowserHost* owner, PluginLibrary* library, std::string mimeType,
                   const std::vector<std::pair<std::string, std::string>>& attributes);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    int id() const { return id_; }
    BrowserHost* owner() const { return owner_; }
    NPP npp() { return &npp_; }
    PluginLibrary* library() const { return library_; }
    const std::string& mimeType() const { return mimeType_; }
    HWND window() const { return window_; }
    bool alive() const { return alive_; }

    // The child window that the plug-in draws in, created before NPP_New.
    bool CreateWindowIn(HWND parent, int x, int y, int width, int height);
    void MoveWindowTo(int x, int y, int width, int height);

    // NPP_New with mode NP_EMBED and the attributes as written.
    NPError New(BrowserLog& log);
    // NPP_SetWindow with the current window, position and size.
    NPError SetWindow(BrowserLog& log);
    // NPP_Destroy (when NPP_New succeeded), then the window goes.
    void Destroy(BrowserLog& log);

private:
    int id_;
    BrowserHost* owner_;
    PluginLibrary* library_;
    std::string mimeType_;
    std::vector<std::string> names_;
    std::vector<std::string> values_;
    NPP_t npp_{};
    NPWindow npWindow_{};
    HWND window_ = nullptr;
    bool alive_ = false;
};

// The class of the browser-made plug-in windows.
extern const char kPluginWindowClass[];
bool RegisterPluginWindowClass(HINSTANCE instance);

}  // namespace zorbit::browser

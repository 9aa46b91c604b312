// The test plays the browser: a recording browser function table, the
// plug-in library loaded once for the whole run, a frame with a menu bar and
// a plug-in window three levels below it, and instances driven through the
// plug-in table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "plugin/entry/instance_data.h"
#include "plugin/entry/npapi.h"
#include "plugin/menus/bar_menu_data.h"

namespace instance_test {

struct UrlRequest {
    NPP npp;
    std::string url;
    std::string target;  // "<null>" for a null target
};

struct StatusText {
    NPP npp;
    std::string text;
    DWORD tick;
};

// What the plug-in asked of the browser. Blocks from memalloc carry guard
// bytes after the requested size; memfree checks them.
struct BrowserRecord {
    std::vector<UrlRequest> urls;
    std::vector<StatusText> statuses;
    std::vector<void*> liveBlocks;
    std::vector<void*> freedBlocks;
    int overrunBlocks = 0;
    bool failNextAlloc = false;
    void Clear();
};
BrowserRecord& Browser();

// Allocates a block as the browser's memalloc would (for a pdata the test
// hands to the plug-in).
void* BrowserAlloc(uint32_t size);

// The plug-in table of the library loaded for this run.
const NPPluginFuncs& Plugin();
// Lets the library go as a browser does after its last instance:
// NP_Shutdown, then FreeLibrary. Whether it unloads is for the caller to
// check; nothing of it may be called afterwards.
void ShutDownLibrary();

// The product directory of the run: three collection entries and the
// definition file "mymenu.zbx" with five entries.
const std::string& ProductDir();
std::string DefinitionPath();
extern const char* const kCollectionUrls[3];
extern const char* const kDefinitionUrls[5];  // "" where the entry has none

// Messages that reached the plug-in window's own (the browser's) procedure.
struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};
std::vector<Received>& PluginWindowMessages();
WNDPROC PluginWindowClassProc();

// A top-level window with File, Edit and View on its bar, two nested child
// windows and, inside them, a plug-in window. Hidden unless asked (Wine
// takes a while to take a shown window off an X screen without a window
// manager).
class Frame {
public:
    explicit Frame(bool visible = false);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    HWND hwnd() const { return frame_; }
    HWND plugin() const { return plugin_; }
    HWND middle() const { return middle_; }
    HMENU bar() const { return GetMenu(frame_); }
    // A further plug-in window in the same page.
    HWND AddPluginWindow();

private:
    HWND frame_ = nullptr;
    HWND outer_ = nullptr;
    HWND middle_ = nullptr;
    HWND plugin_ = nullptr;
};

// One instance as the browser holds it.
class Instance {
public:
    Instance() = default;
    ~Instance();  // destroys it if the test did not
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    NPError New(const std::vector<std::pair<const char*, const char*>>& attributes);
    NPError SetWindow(HWND hwnd);
    NPError SetWindowDescription(NPWindow* description);
    void StreamAsFile(const char* path);
    NPError Destroy();

    NPP npp() { return &npp_; }
    InstanceData* data() const { return static_cast<InstanceData*>(npp_.pdata); }
    NPWindow& description() { return window_; }

private:
    NPP_t npp_{};
    NPWindow window_{};
    bool created_ = false;
};

// Dispatches the messages now in the queue (taken off with GetMessage, so
// that the plug-in's WH_GETMESSAGE hook sees them).
void PumpPending();
// Dispatches messages for about `ms` milliseconds.
void PumpFor(DWORD ms);
// Dispatches until the condition holds or `ms` pass; the condition's value.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms)
            return false;
        PumpFor(5);
    }
    return true;
}

struct MenuItem {
    UINT type = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
};
std::vector<MenuItem> ReadItems(HMENU menu);

// Posts WM_COMMAND with the identifier to the frame, as a chosen menu item
// does, and lets the hooks and the plug-in window act on it.
void ChooseFromMenu(HWND frame, WPARAM identifier);

}  // namespace instance_test

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
#include "tests/support/menu_items.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_windows.h"

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
    // What the browser does inside a navigation request, after recording it
    // (the page going away at once, say).
    void (*onGetUrl)() = nullptr;
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
// Loads and initialises the library again after ShutDownLibrary.
void LoadLibraryAgain();

// The product directory of the run: three collection entries and the
// definition file "mymenu.zbx" with five entries.
const std::string& ProductDir();
std::string DefinitionPath();
extern const char* const kCollectionUrls[3];
extern const char* const kDefinitionUrls[5];  // "" where the entry has none

using support::PluginWindowClassProc;
using support::PluginWindowMessages;
using support::Received;

// The shared frame, shown when asked, holding one plug-in window three
// levels below it; destroying it lets the queue settle.
class Frame : public support::Frame {
public:
    explicit Frame(bool visible = false);
    ~Frame();
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

using support::MenuItem;
using support::PumpFor;
using support::PumpPending;
using support::PumpUntil;
using support::ReadItems;

// Posts WM_COMMAND with the identifier to the frame, as a chosen menu item
// does, and lets the hooks and the plug-in window act on it.
void ChooseFromMenu(HWND frame, WPARAM identifier);

}  // namespace instance_test

// Frames with a browser-like menu bar, a recording target window and a
// reader for menu items, shared by the menu-bar tests.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugin/menus/bar_menu_data.h"

namespace menubar_test {

struct MenuItem {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    HBITMAP bitmap = nullptr;
    std::string text;
};

// Reads item `position` of `menu` with GetMenuItemInfoA.
MenuItem ReadItem(HMENU menu, int position);
std::vector<MenuItem> ReadItems(HMENU menu);

// A top-level window whose menu bar holds File, Edit and View, each with one
// command (ids 1, 2, 3). Destroyed with the object.
class Frame {
public:
    explicit Frame(bool withMenuBar = true);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    HWND hwnd() const { return hwnd_; }
    HMENU bar() const { return GetMenu(hwnd_); }
    // Every WM_COMMAND any frame received.
    static std::vector<WPARAM>& Commands();

private:
    HWND hwnd_ = nullptr;
};

// A hidden window that records every WM_PLUGIN_COMMAND and WM_PLUGIN_SELECT
// it receives, in order.
class Target {
public:
    Target();
    ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    HWND hwnd() const { return hwnd_; }
    std::vector<std::pair<UINT, WPARAM>> received() const;
    std::vector<WPARAM> Commands() const;
    std::vector<WPARAM> Selects() const;
    void Clear();

private:
    HWND hwnd_ = nullptr;
};

// Retrieves and dispatches every message now in the thread's queue with
// GetMessage, so that WH_GETMESSAGE hooks see them being taken off.
void PumpPending();

// Messages of the plug-in's private range anywhere in the queue (also those
// posted to the thread when there is no target), removed.
int DrainPluginMessages();

std::unique_ptr<CItemData> Entry(const char* name, EntryKind kind, int depth);

// The menus of the worked example: a title Reading holding Daily news, the
// submenu Archive with 1998, a separator, a break and Help.
void AddWorkedExample(CBarMenuData& data);

}  // namespace menubar_test

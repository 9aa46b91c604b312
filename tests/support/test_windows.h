// Windows that stand in for the browser's: a top-level frame with a
// browser-like menu bar, plug-in windows nested in it as a page holds them,
// and hidden target windows, each recording what reaches it.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace support {

// A message that reached a plug-in or target window's own procedure.
struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};
// WM_PLUGIN_COMMAND, WM_PLUGIN_SELECT, WM_TIMER and WM_PAINT that reached
// any plug-in or target window, in order.
std::vector<Received>& PluginWindowMessages();
// The class procedure of the plug-in windows (what a subclass must give back).
WNDPROC PluginWindowClassProc();

// A top-level window whose menu bar holds File, Edit and View, each with one
// command (ids 1, 2, 3), or no menu bar. Hidden unless asked (Wine takes a
// while to take a shown window off an X screen without a window manager).
// Destroyed with the object.
class Frame {
public:
    explicit Frame(bool withMenuBar = true, bool visible = false);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    HWND hwnd() const { return frame_; }
    HMENU bar() const { return GetMenu(frame_); }
    // Every WM_COMMAND any frame received.
    static std::vector<WPARAM>& Commands();

    // A plug-in window inside two nested panes of the frame, as a page holds
    // one; the panes are made with the first.
    HWND AddPluginWindow();
    HWND plugin() const { return plugin_; }  // the first plug-in window
    HWND middle() const { return middle_; }  // the pane holding them

private:
    HWND frame_ = nullptr;
    HWND outer_ = nullptr;
    HWND middle_ = nullptr;
    HWND plugin_ = nullptr;
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

}  // namespace support

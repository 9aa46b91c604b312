// Drives the browser host in this process as a user would: keys typed at
// the focused frame, the frame's menu bar and status bar read back, the
// host's log followed, handle counts of the process probed.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace plugin_e2e {

// The Windows form of a path this build gives as a Unix path.
std::string DosPath(const std::string& unixPath);

// Dispatches the thread's messages (with the frame's keyboard shortcuts)
// until the condition holds or `ms` pass; the condition's value.
bool PumpUntil(HWND frame, HACCEL accelerators, const std::function<bool()>& condition, DWORD ms);
void PumpFor(HWND frame, HACCEL accelerators, DWORD ms);
// WM_PLUGIN_COMMAND and WM_PLUGIN_SELECT messages the pumps took off the
// queue so far, for any window or none.
int PluginMessagesSeen();

// Presses and releases each key in turn; a key given with kAlt is typed
// with Alt held down.
constexpr WORD kAlt = 0x8000;
void TypeKeys(std::initializer_list<WORD> keys);

std::vector<std::string> ReadLines(const std::string& path);

struct BarItem {
    UINT type = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    HBITMAP bitmap = nullptr;
    std::string text;
};
std::vector<BarItem> ReadMenu(HMENU menu);

std::string StatusText(HWND statusBar);

// Live objects of this process, counted by probing every handle value (Wine
// takes a handle's low word for any of its generations).
int LiveMenus();
int LiveGdiObjects();

}  // namespace plugin_e2e

// Finds our browser host's frame and reads what it records in its log. The
// host writes its menu bar into the log when asked: menus of another
// process cannot be read directly under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MenuBarLine {
    std::string path;   // "6" for bar item 6, "6.2" for item 2 of its popup
    unsigned id = 0;
    unsigned type = 0;  // MFT_* flags
    bool popup = false;
    bool bitmap = false;
    std::string text;
};

HWND FindBrowserFrame(DWORD timeoutMs);
std::vector<std::string> ReadLogLines(const std::string& path);
// Waits for a line starting with `prefix` at or after line `from`.
bool WaitForLogLine(const std::string& path, const std::string& prefix, size_t from, DWORD timeoutMs,
                    std::string* found = nullptr);
std::vector<MenuBarLine> DumpMenuBar(HWND frame, const std::string& logPath);
// The lines of the dump that stand directly in bar item `path` ("" for the bar).
std::vector<MenuBarLine> ChildrenOf(const std::vector<MenuBarLine>& lines, const std::string& path);

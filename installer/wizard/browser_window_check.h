// Finding an open browser window among the top-level windows.
#pragma once

#include <windows.h>

// What the last enumeration found: 1 and the first matching window, or 0.
extern int g_browserWindowFound;
extern HWND g_foundBrowserWindow;

// Enumeration callback; lParam points to the title pattern. Stops at the
// first window whose title matches.
BOOL CALLBACK FindBrowserWindowProc(HWND window, LPARAM pattern);

// An open browser window keeps the plug-in loaded, so the uninstaller asks
// for it to be closed first, as the installer's browser page does.
#pragma once

#include <windows.h>

// The first window titled as an Internet Explorer or a Netscape window, or null.
HWND FindOpenBrowser();

// Asks the user to close the browser; on OK asks the browser to close.
// Returns false: the removal waits for the next press of Remove.
bool AskToCloseBrowser(HWND owner, HWND browser);

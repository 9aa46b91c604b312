// An open browser keeps the plug-in loaded and may rewrite its favourites,
// so the uninstaller asks for it to be closed first (FindOpenBrowser in
// common/browser_windows.h finds it).
#pragma once

#include <windows.h>

// Asks the user to close the browser, and nothing more: the browser is the
// user's to close. Returns false: the removal waits for the next Remove.
bool AskToCloseBrowser(HWND owner);

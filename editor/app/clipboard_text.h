// Text on the system clipboard, in the ANSI code page as pages are.
#pragma once

#include <windows.h>

#include <string>

// Puts `text` on the clipboard for `owner`; false when the clipboard could
// not be taken.
bool PutClipboardText(HWND owner, const std::string& text);
// The clipboard's text, empty when it holds none.
std::string ClipboardTextOf(HWND owner);

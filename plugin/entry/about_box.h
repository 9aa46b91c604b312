// The About box: the plug-in's only message box.
#pragma once

#include <windows.h>

namespace zorbit {

extern const char kAboutCaption[];  // "About Zorbit"
// Four paragraphs, each break two line feeds.
extern const char kAboutText[];

// Shows the box owned by the window and returns when the user closes it.
void ShowAboutBox(HWND owner);

}  // namespace zorbit

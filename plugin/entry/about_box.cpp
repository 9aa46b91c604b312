#include "plugin/entry/about_box.h"

#include "plugin/entry/browser_services.h"

namespace zorbit {

const char kAboutCaption[] = "About Zorbit";

const char kAboutText[] =
    "Zorbit Plugin, version 0.2.2"
    "\n\n"
    "Copyright (c) Vantrel Software Inc. All rights reserved."
    "\n\n"
    "\t\tVantrel Software Inc., 2140 Larkspur Avenue, Suite 300, Portland, OR 97205 "
    "\n\n"
    "\t\t\t http://www.vantrel.example/zorbit/";

// The page may go away inside the box's modal loop, and the browser may shut
// the library down and unload it there; the box returns into this code. A
// reference of our own keeps the library loaded until then, and for good
// when the browser has shut it down meanwhile (only its reference could
// have been the last).
void ShowAboutBox(HWND owner) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&ShowAboutBox), &self);
    MessageBoxA(owner, kAboutText, kAboutCaption, MB_OK);
    if (self && BrowserFuncs())
        FreeLibrary(self);
}

}  // namespace zorbit

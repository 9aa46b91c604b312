#include "plugin/entry/about_box.h"

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

void ShowAboutBox(HWND owner) { MessageBoxA(owner, kAboutText, kAboutCaption, MB_OK); }

}  // namespace zorbit

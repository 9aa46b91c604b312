// The product's editor and uninstaller are separate programs that ship on
// their own; these stand-ins keep the shortcuts that name them working and
// say what they stand for.
#pragma once

#include <windows.h>

inline int ShowPlaceholder(const char* title, const char* text) {
    MessageBoxA(nullptr, text, title, MB_OK | MB_ICONINFORMATION);
    return 0;
}

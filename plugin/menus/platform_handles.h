// Window, menu and bitmap handles as the menu model holds them. On Windows
// they are the real handle types; the host build only stores them.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
struct HWND__;
struct HMENU__;
struct HBITMAP__;
typedef HWND__* HWND;
typedef HMENU__* HMENU;
typedef HBITMAP__* HBITMAP;
typedef intptr_t LRESULT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef LRESULT (*HOOKPROC)(int, WPARAM, LPARAM);
#endif

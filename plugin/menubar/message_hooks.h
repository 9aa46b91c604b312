// The browser thread's message hooks that forward the plug-in's chosen and
// highlighted menu items to the plug-in window.
//
// Each browser thread with an attached instance has its own set, shared by
// every CBarMenuData that installed hooks on that thread: set when the first
// of them installs and removed when the last of them is deleted. A message
// goes to the target window of the object whose menus are on the bar of the
// frame it came from, and nowhere when no such object has hooks on the
// thread.
#pragma once

#include <windows.h>

// WH_GETMESSAGE: a retrieved WM_COMMAND above 2920 from a menu (it names no
// control) becomes WM_PLUGIN_COMMAND.
// A retrieved message that may open a menu (a system key, a click on the
// bar) also sets the WH_CALLWNDPROC hook below.
LRESULT CALLBACK CommandHookProc(int code, WPARAM wParam, LPARAM lParam);
// WH_MSGFILTER: a WM_MENUSELECT seen by the menu loop's filter, above 2995,
// becomes WM_PLUGIN_SELECT, unless it names a menu that is not one of that
// set's (the system menu, a browser menu). Any message of a menu loop sets the
// WH_CALLWNDPROC hook. Every message is passed on along the chain.
LRESULT CALLBACK SelectHookProc(int code, WPARAM wParam, LPARAM lParam);
// WH_CALLWNDPROC, only while a menu of the thread is open: the same for the
// WM_MENUSELECT the menu loop sends to the frame, which never passes through
// the message filter. Gone with WM_EXITMENULOOP.
LRESULT CALLBACK MenuSelectSendHookProc(int code, WPARAM wParam, LPARAM lParam);

// How many of the three hooks the calling thread has right now, and where
// the messages of a frame on it go.
int InstalledHookCount();
HWND HookTargetFor(HWND frame);

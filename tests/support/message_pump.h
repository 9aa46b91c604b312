// Running the thread's message loop the way a browser's does, for a while or
// until something has happened.
#pragma once

#include <windows.h>

#include <functional>

namespace support {

// Retrieves and dispatches every message now in the thread's queue with
// GetMessage, so that WH_GETMESSAGE hooks see them being taken off.
void PumpPending();

// Dispatches messages for about `ms` milliseconds (with the frame's keyboard
// shortcuts when given). Unlike PumpPending this also takes timer messages,
// which come only once nothing else is waiting.
void PumpFor(DWORD ms);
void PumpFor(HWND frame, HACCEL accelerators, DWORD ms);
// Dispatches until the condition holds or `ms` pass; the condition's value.
bool PumpUntil(const std::function<bool()>& condition, DWORD ms);
bool PumpUntil(HWND frame, HACCEL accelerators, const std::function<bool()>& condition, DWORD ms);

// WM_PLUGIN_COMMAND and WM_PLUGIN_SELECT messages the pumps took off the
// queue so far, for any window or none.
int PluginMessagesSeen();
// Messages of the plug-in's private range anywhere in the queue (also those
// posted to the thread when there is no target), removed.
int DrainPluginMessages();

}  // namespace support

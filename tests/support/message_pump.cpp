#include "tests/support/message_pump.h"

#include "plugin/menus/command_ids.h"

namespace support {

namespace {

int g_pluginMessages = 0;

void Dispatch(MSG& msg, HWND frame, HACCEL accelerators) {
    if (msg.message == WM_PLUGIN_COMMAND || msg.message == WM_PLUGIN_SELECT)
        ++g_pluginMessages;
    if (frame && accelerators && TranslateAcceleratorA(frame, accelerators, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}  // namespace

void PumpPending() {
    // A marker posted last tells where the messages present now end; every
    // message before it is taken off with GetMessage. Messages that the
    // dispatched ones post are taken in the next round.
    const UINT marker = WM_APP + 77;
    for (int round = 0; round < 20; ++round) {
        PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0);
        int dispatched = 0;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == marker)
                break;
            Dispatch(msg, nullptr, nullptr);
            ++dispatched;
        }
        if (dispatched == 0)
            return;
    }
}

void PumpFor(DWORD ms) { PumpUntil(nullptr, nullptr, [] { return false; }, ms); }

void PumpFor(HWND frame, HACCEL accelerators, DWORD ms) {
    PumpUntil(frame, accelerators, [] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD ms) {
    return PumpUntil(nullptr, nullptr, condition, ms);
}

bool PumpUntil(HWND frame, HACCEL accelerators, const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            Dispatch(msg, frame, accelerators);
        if (condition())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

int PluginMessagesSeen() { return g_pluginMessages; }

int DrainPluginMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_PLUGIN_COMMAND, WM_PLUGIN_SELECT, PM_REMOVE))
        ++count;
    return count;
}

}  // namespace support

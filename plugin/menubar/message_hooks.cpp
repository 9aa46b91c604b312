#include "plugin/menubar/message_hooks.h"

#include <algorithm>
#include <vector>

#include "plugin/entry/plugin_module.h"
#include "plugin/menubar/owned_handles.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"

namespace {

OwnedHook g_commandHook;
OwnedHook g_selectHook;
OwnedHook g_sendHook;
HWND g_targetWnd = nullptr;
// The live objects that installed hooks, in the order they were attached.
std::vector<CBarMenuData*> g_hookOwners;

void PostSelect(WPARAM menuSelectParam) {
    // A popup's highlight carries its position, not an identifier.
    if (HIWORD(menuSelectParam) != 0xFFFF && (HIWORD(menuSelectParam) & MF_POPUP))
        return;
    WORD identifier = LOWORD(menuSelectParam);
    if (identifier > zorbit::kSelectForwardThreshold)
        PostMessageA(g_targetWnd, WM_PLUGIN_SELECT, identifier, 0);
}

void InstallMissingHooks() {
    DWORD thread = GetCurrentThreadId();
    if (!g_commandHook)
        g_commandHook.reset(SetWindowsHookExA(WH_GETMESSAGE, CommandHookProc, nullptr, thread));
    if (!g_selectHook)
        g_selectHook.reset(SetWindowsHookExA(WH_MSGFILTER, SelectHookProc, nullptr, thread));
}

// A WH_CALLWNDPROC hook costs every sent message of the thread dearly, so it
// is there only while a menu may be open.
void OpenSendHook() {
    if (!g_sendHook && !g_hookOwners.empty())
        g_sendHook.reset(SetWindowsHookExA(WH_CALLWNDPROC, MenuSelectSendHookProc, nullptr,
                                           GetCurrentThreadId()));
}

void CloseSendHook() { g_sendHook.reset(); }

// The retrieved messages after which the thread may enter a menu loop: the
// system keys (Alt, F10, Alt with a letter) and a click on a menu bar.
bool MayOpenMenu(const MSG& msg) {
    switch (msg.message) {
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return msg.wParam == HTMENU || msg.wParam == HTSYSMENU;
    default:
        return false;
    }
}

bool InMenuMode() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE);
}

void WatchRetrieved(const MSG& msg) {
    if (msg.message == WM_COMMAND && static_cast<uint32_t>(msg.wParam) > zorbit::kCommandForwardThreshold)
        PostMessageA(g_targetWnd, WM_PLUGIN_COMMAND, msg.wParam, 0);
    if (MayOpenMenu(msg))
        OpenSendHook();
    else if (g_sendHook && !InMenuMode())
        CloseSendHook();  // the key or click opened no menu, or a loop ended unseen
}

void RetargetToLastOwner() {
    g_targetWnd = g_hookOwners.empty() ? nullptr : g_hookOwners.back()->hookTarget;
}

}  // namespace

// No exception may leave a hook procedure into the system's code: what the
// procedures call does not throw, and whatever might is dropped at the edge.
LRESULT CALLBACK CommandHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    // Only a message taken off the queue counts: a look with PM_NOREMOVE
    // followed by the real retrieval would otherwise forward it twice.
    if (code == HC_ACTION && (wParam & PM_REMOVE)) {
        try {
            WatchRetrieved(*reinterpret_cast<const MSG*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(g_commandHook.get(), code, wParam, lParam);
}

// The browser's own menu filters were installed before this one and are
// called after it: every message goes on to them.
LRESULT CALLBACK SelectHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    if (code == MSGF_MENU) {
        try {
            OpenSendHook();
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg->message == WM_MENUSELECT)
                PostSelect(msg->wParam);
        } catch (...) {
        }
    }
    return CallNextHookEx(g_selectHook.get(), code, wParam, lParam);
}

LRESULT CALLBACK MenuSelectSendHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_MENUSELECT) {
        try {
            PostSelect(sent->wParam);
        } catch (...) {
        }
    }
    const LRESULT result = CallNextHookEx(g_sendHook.get(), code, wParam, lParam);
    if (code == HC_ACTION && sent->message == WM_EXITMENULOOP)
        CloseSendHook();
    return result;
}

int InstalledHookCount() {
    return (g_commandHook ? 1 : 0) + (g_selectHook ? 1 : 0) + (g_sendHook ? 1 : 0);
}

HWND HookTargetWindow() { return g_targetWnd; }

void CBarMenuData::InstallHooks() {
    commandHookProc = CommandHookProc;
    selectHookProc = SelectHookProc;
    if (!hooksInstalled) {
        hooksInstalled = true;
        g_hookOwners.push_back(this);
    }
    InstallMissingHooks();
    RetargetToLastOwner();
}

void CBarMenuData::SetTargetWindow(HWND target) {
    hookTarget = target;
    if (!hooksInstalled)
        return;
    // Attaching makes this object the one whose window gets the messages.
    g_hookOwners.erase(std::remove(g_hookOwners.begin(), g_hookOwners.end(), this),
                       g_hookOwners.end());
    g_hookOwners.push_back(this);
    RetargetToLastOwner();
}

void CBarMenuData::ReleaseHooks() {
    if (!hooksInstalled)
        return;
    hooksInstalled = false;
    g_hookOwners.erase(std::remove(g_hookOwners.begin(), g_hookOwners.end(), this),
                       g_hookOwners.end());
    RetargetToLastOwner();
    if (!g_hookOwners.empty())
        return;
    g_commandHook.reset();
    g_selectHook.reset();
    g_sendHook.reset();
}

#include "plugin/menubar/message_hooks.h"

#include <algorithm>
#include <vector>

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
    if (!g_sendHook)
        g_sendHook.reset(SetWindowsHookExA(WH_CALLWNDPROC, MenuSelectSendHookProc, nullptr, thread));
}

void RetargetToLastOwner() {
    g_targetWnd = g_hookOwners.empty() ? nullptr : g_hookOwners.back()->hookTarget;
}

}  // namespace

LRESULT CALLBACK CommandHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0)
        return CallNextHookEx(g_commandHook.get(), code, wParam, lParam);
    // Only a message taken off the queue counts: a look with PM_NOREMOVE
    // followed by the real retrieval would otherwise forward it twice.
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && (wParam & PM_REMOVE) && msg->message == WM_COMMAND &&
        static_cast<uint32_t>(msg->wParam) > zorbit::kCommandForwardThreshold)
        PostMessageA(g_targetWnd, WM_PLUGIN_COMMAND, msg->wParam, 0);
    return CallNextHookEx(g_commandHook.get(), code, wParam, lParam);
}

LRESULT CALLBACK SelectHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0 || code != MSGF_MENU)
        return CallNextHookEx(g_selectHook.get(), code, wParam, lParam);
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_MENUSELECT)
        PostSelect(msg->wParam);
    return 0;
}

LRESULT CALLBACK MenuSelectSendHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_MENUSELECT)
            PostSelect(sent->wParam);
    }
    return CallNextHookEx(g_sendHook.get(), code, wParam, lParam);
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

#include "plugin/menubar/message_hooks.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "plugin/menubar/plugin_module.h"
#include "plugin/menubar/bar_owners.h"
#include "plugin/menubar/menu_bar_set.h"
#include "plugin/menus/command_ids.h"

namespace {

// One set of hooks per browser thread that has an owner: a thread's hooks
// see only its own messages. Browser threads reach these at the same time,
// so everything here is read and changed under the owners' lock.
struct ThreadHooks {
    DWORD thread = 0;
    OwnedHook command;
    OwnedHook select;
    OwnedHook send;
};
using HooksLock = zorbit::OwnersLock;
// The live sets that installed hooks.
std::vector<MenuBarSet*> g_hookOwners;
std::vector<std::unique_ptr<ThreadHooks>> g_threads;

ThreadHooks* FindThread(DWORD thread) {
    for (auto& hooks : g_threads)
        if (hooks->thread == thread)
            return hooks.get();
    return nullptr;
}

// This thread's hook, read under the lock.
HHOOK ThisThreadsHook(OwnedHook ThreadHooks::*which) {
    HooksLock lock;
    ThreadHooks* hooks = FindThread(GetCurrentThreadId());
    return hooks ? (hooks->*which).get() : nullptr;
}

// Where a message of the window goes: the window of the object whose set
// the window's frame shows, when that object has its hooks on this thread.
// A menu handle the message names must be one of that set's; null when the
// message does not say.
HWND RouteFrom(HWND hwnd, HMENU menu) {
    const HWND frame = zorbit::FrameOf(hwnd);
    const uintptr_t tag = menu ? zorbit::MenuTag(menu) : 0;
    HooksLock lock;
    const MenuBarSet* owner = zorbit::ShownOnBar(frame);
    if (!owner || !owner->hooksInstalled || owner->hookThread != GetCurrentThreadId())
        return nullptr;
    if (menu && tag != owner->menuTag)
        return nullptr;
    return owner->hookTarget;
}

void PostSelect(HWND hwnd, WPARAM menuSelectParam, LPARAM menu) {
    // A popup's highlight carries its position, not an identifier.
    if (HIWORD(menuSelectParam) != 0xFFFF && (HIWORD(menuSelectParam) & MF_POPUP))
        return;
    WORD identifier = LOWORD(menuSelectParam);
    if (identifier <= zorbit::kSelectForwardThreshold)
        return;
    if (HWND target = RouteFrom(hwnd, reinterpret_cast<HMENU>(menu)))
        PostMessageA(target, WM_PLUGIN_SELECT, identifier, 0);
}

void InstallMissingHooks(ThreadHooks& hooks) {
    if (!hooks.command)
        hooks.command.reset(SetWindowsHookExA(WH_GETMESSAGE, CommandHookProc, nullptr, hooks.thread));
    if (!hooks.select)
        hooks.select.reset(SetWindowsHookExA(WH_MSGFILTER, SelectHookProc, nullptr, hooks.thread));
}

// A WH_CALLWNDPROC hook costs every sent message of the thread dearly, so it
// is there only while a menu may be open.
void OpenSendHook() {
    HooksLock lock;
    ThreadHooks* hooks = FindThread(GetCurrentThreadId());
    if (hooks && !hooks->send)
        hooks->send.reset(SetWindowsHookExA(WH_CALLWNDPROC, MenuSelectSendHookProc, nullptr, hooks->thread));
}

void CloseSendHook() {
    OwnedHook closed;
    HooksLock lock;
    if (ThreadHooks* hooks = FindThread(GetCurrentThreadId()))
        closed = std::move(hooks->send);
}

bool SendHookOpen() {
    HooksLock lock;
    ThreadHooks* hooks = FindThread(GetCurrentThreadId());
    return hooks && hooks->send;
}

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

// A command from a menu names no control; one that does is a control's
// notification and never a Zorbit item.
void WatchRetrieved(const MSG& msg) {
    if (msg.message == WM_COMMAND && static_cast<uint32_t>(msg.wParam) > zorbit::kCommandForwardThreshold &&
        msg.lParam == 0) {
        if (HWND target = RouteFrom(msg.hwnd, nullptr))
            PostMessageA(target, WM_PLUGIN_COMMAND, msg.wParam, 0);
    }
    if (MayOpenMenu(msg))
        OpenSendHook();
    else if (SendHookOpen() && !InMenuMode())
        CloseSendHook();  // the key or click opened no menu, or a loop ended unseen
}

}  // namespace

// No exception may leave a hook procedure into the system's code: what the
// procedures call does not throw, and whatever might is dropped at the edge.
LRESULT CALLBACK CommandHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const HHOOK hook = ThisThreadsHook(&ThreadHooks::command);
    // Only a message taken off the queue counts: a look with PM_NOREMOVE
    // followed by the real retrieval would otherwise forward it twice.
    if (code == HC_ACTION && (wParam & PM_REMOVE)) {
        try {
            WatchRetrieved(*reinterpret_cast<const MSG*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// The browser's own menu filters were installed before this one and are
// called after it: every message goes on to them.
LRESULT CALLBACK SelectHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const HHOOK hook = ThisThreadsHook(&ThreadHooks::select);
    if (code == MSGF_MENU) {
        try {
            OpenSendHook();
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg->message == WM_MENUSELECT)
                PostSelect(msg->hwnd, msg->wParam, msg->lParam);
        } catch (...) {
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK MenuSelectSendHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const HHOOK hook = ThisThreadsHook(&ThreadHooks::send);
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_MENUSELECT) {
        try {
            PostSelect(sent->hwnd, sent->wParam, sent->lParam);
        } catch (...) {
        }
    }
    const LRESULT result = CallNextHookEx(hook, code, wParam, lParam);
    if (code == HC_ACTION && sent->message == WM_EXITMENULOOP)
        CloseSendHook();
    return result;
}

int InstalledHookCount() {
    HooksLock lock;
    const ThreadHooks* hooks = FindThread(GetCurrentThreadId());
    if (!hooks)
        return 0;
    return (hooks->command ? 1 : 0) + (hooks->select ? 1 : 0) + (hooks->send ? 1 : 0);
}

HWND HookTargetFor(HWND frame) { return RouteFrom(frame, nullptr); }

void CBarMenuData::InstallHooks() {
    MenuBarSet& set = MenuBarSet::Of(*this);
    set.commandHookProc = CommandHookProc;
    set.selectHookProc = SelectHookProc;
    // Attached again from another thread: the share moves to that thread.
    if (set.hooksInstalled && set.hookThread != GetCurrentThreadId())
        set.ReleaseHooks();
    HooksLock lock;
    if (!set.hooksInstalled) {
        set.hookThread = GetCurrentThreadId();
        if (!FindThread(set.hookThread)) {
            g_threads.push_back(std::make_unique<ThreadHooks>());
            g_threads.back()->thread = set.hookThread;
        }
        g_hookOwners.push_back(&set);
        set.hooksInstalled = true;
    }
    InstallMissingHooks(*FindThread(set.hookThread));
}

void CBarMenuData::SetTargetWindow(HWND target) {
    MenuBarSet& set = MenuBarSet::Of(*this);
    HooksLock lock;
    set.hookTarget = target;
}

void MenuBarSet::ReleaseHooks() {
    std::unique_ptr<ThreadHooks> gone;  // unhooked once the lock is let go
    HooksLock lock;
    if (!hooksInstalled)
        return;
    hooksInstalled = false;
    g_hookOwners.erase(std::remove(g_hookOwners.begin(), g_hookOwners.end(), this), g_hookOwners.end());
    for (const MenuBarSet* owner : g_hookOwners)
        if (owner->hookThread == hookThread)
            return;
    for (auto& hooks : g_threads)
        if (hooks->thread == hookThread)
            gone = std::move(hooks);
    g_threads.erase(std::remove(g_threads.begin(), g_threads.end(), nullptr), g_threads.end());
}

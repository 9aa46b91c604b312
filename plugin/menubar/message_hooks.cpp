#include "plugin/menubar/message_hooks.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "plugin/entry/plugin_module.h"
#include "plugin/menubar/owned_handles.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"

namespace {

// One set of hooks per browser thread that has an owner: a thread's hooks
// see only its own messages, and forward to the window of the owner on that
// thread attached last. Browser threads reach these at the same time, so
// everything here is read and changed under the lock.
struct ThreadHooks {
    DWORD thread = 0;
    OwnedHook command;
    OwnedHook select;
    OwnedHook send;
    HWND target = nullptr;
};
// The live objects that installed hooks, in the order they were attached.
std::vector<CBarMenuData*> g_hookOwners;
std::vector<std::unique_ptr<ThreadHooks>> g_threads;

// Held only around a few short calls, none of which can enter a hook: a
// flag to spin on needs nothing made or freed, not even at unload.
std::atomic_flag g_hooksBusy = ATOMIC_FLAG_INIT;

class HooksLock {
public:
    HooksLock() {
        while (g_hooksBusy.test_and_set(std::memory_order_acquire))
            SwitchToThread();
    }
    ~HooksLock() { g_hooksBusy.clear(std::memory_order_release); }
    HooksLock(const HooksLock&) = delete;
    HooksLock& operator=(const HooksLock&) = delete;
};

ThreadHooks* FindThread(DWORD thread) {
    for (auto& hooks : g_threads)
        if (hooks->thread == thread)
            return hooks.get();
    return nullptr;
}

// This thread's forwarding target and hook, read under the lock.
struct Seen {
    HWND target = nullptr;
    HHOOK hook = nullptr;
};
Seen SeenByThisThread(OwnedHook ThreadHooks::*which) {
    HooksLock lock;
    ThreadHooks* hooks = FindThread(GetCurrentThreadId());
    if (!hooks)
        return {};
    return {hooks->target, (hooks->*which).get()};
}

void PostSelect(HWND target, WPARAM menuSelectParam) {
    // A popup's highlight carries its position, not an identifier.
    if (HIWORD(menuSelectParam) != 0xFFFF && (HIWORD(menuSelectParam) & MF_POPUP))
        return;
    WORD identifier = LOWORD(menuSelectParam);
    if (identifier > zorbit::kSelectForwardThreshold)
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

void WatchRetrieved(HWND target, const MSG& msg) {
    if (msg.message == WM_COMMAND && static_cast<uint32_t>(msg.wParam) > zorbit::kCommandForwardThreshold)
        PostMessageA(target, WM_PLUGIN_COMMAND, msg.wParam, 0);
    if (MayOpenMenu(msg))
        OpenSendHook();
    else if (SendHookOpen() && !InMenuMode())
        CloseSendHook();  // the key or click opened no menu, or a loop ended unseen
}

void Retarget(DWORD thread) {
    ThreadHooks* hooks = FindThread(thread);
    if (!hooks)
        return;
    hooks->target = nullptr;
    for (const CBarMenuData* owner : g_hookOwners)
        if (owner->hookThread == thread)
            hooks->target = owner->hookTarget;
}

}  // namespace

// No exception may leave a hook procedure into the system's code: what the
// procedures call does not throw, and whatever might is dropped at the edge.
LRESULT CALLBACK CommandHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const Seen seen = SeenByThisThread(&ThreadHooks::command);
    // Only a message taken off the queue counts: a look with PM_NOREMOVE
    // followed by the real retrieval would otherwise forward it twice.
    if (code == HC_ACTION && (wParam & PM_REMOVE)) {
        try {
            WatchRetrieved(seen.target, *reinterpret_cast<const MSG*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(seen.hook, code, wParam, lParam);
}

// The browser's own menu filters were installed before this one and are
// called after it: every message goes on to them.
LRESULT CALLBACK SelectHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const Seen seen = SeenByThisThread(&ThreadHooks::select);
    if (code == MSGF_MENU) {
        try {
            OpenSendHook();
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg->message == WM_MENUSELECT)
                PostSelect(seen.target, msg->wParam);
        } catch (...) {
        }
    }
    return CallNextHookEx(seen.hook, code, wParam, lParam);
}

LRESULT CALLBACK MenuSelectSendHookProc(int code, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    const Seen seen = SeenByThisThread(&ThreadHooks::send);
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_MENUSELECT) {
        try {
            PostSelect(seen.target, sent->wParam);
        } catch (...) {
        }
    }
    const LRESULT result = CallNextHookEx(seen.hook, code, wParam, lParam);
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

HWND HookTargetWindow() {
    HooksLock lock;
    const ThreadHooks* hooks = FindThread(GetCurrentThreadId());
    return hooks ? hooks->target : nullptr;
}

void CBarMenuData::InstallHooks() {
    commandHookProc = CommandHookProc;
    selectHookProc = SelectHookProc;
    // Attached again from another thread: the share moves to that thread.
    if (hooksInstalled && hookThread != GetCurrentThreadId())
        ReleaseHooks();
    HooksLock lock;
    if (!hooksInstalled) {
        hookThread = GetCurrentThreadId();
        if (!FindThread(hookThread)) {
            g_threads.push_back(std::make_unique<ThreadHooks>());
            g_threads.back()->thread = hookThread;
        }
        g_hookOwners.push_back(this);
        hooksInstalled = true;
    }
    InstallMissingHooks(*FindThread(hookThread));
    Retarget(hookThread);
}

void CBarMenuData::SetTargetWindow(HWND target) {
    HooksLock lock;
    hookTarget = target;
    if (!hooksInstalled)
        return;
    // Attaching makes this object the one whose window gets its thread's
    // messages.
    g_hookOwners.erase(std::remove(g_hookOwners.begin(), g_hookOwners.end(), this),
                       g_hookOwners.end());
    g_hookOwners.push_back(this);
    Retarget(hookThread);
}

void CBarMenuData::ReleaseHooks() {
    std::unique_ptr<ThreadHooks> gone;  // unhooked once the lock is let go
    HooksLock lock;
    if (!hooksInstalled)
        return;
    hooksInstalled = false;
    g_hookOwners.erase(std::remove(g_hookOwners.begin(), g_hookOwners.end(), this),
                       g_hookOwners.end());
    Retarget(hookThread);
    for (const CBarMenuData* owner : g_hookOwners)
        if (owner->hookThread == hookThread)
            return;
    for (auto& hooks : g_threads)
        if (hooks->thread == hookThread)
            gone = std::move(hooks);
    g_threads.erase(std::remove(g_threads.begin(), g_threads.end(), nullptr), g_threads.end());
}

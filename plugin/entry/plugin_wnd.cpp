#include "plugin/entry/plugin_wnd.h"

#include <algorithm>
#include <vector>

#include "plugin/entry/browser_services.h"
#include "plugin/menubar/plugin_module.h"
#include "plugin/menus/command_ids.h"

namespace {

// One record per window whose chain holds our procedure, kept for the whole
// library rather than with an object: the browser may subclass over ours, and
// a later attachment to that window must find what our procedure passes on to.
struct Subclass {
    HWND hwnd;
    WNDPROC previous;
    CPluginWnd* object;  // null: the procedure only passes messages on
};

std::vector<Subclass>& Subclasses() {
    static std::vector<Subclass> subclasses;
    return subclasses;
}

Subclass* FindSubclass(HWND hwnd) {
    for (Subclass& subclass : Subclasses())
        if (subclass.hwnd == hwnd)
            return &subclass;
    return nullptr;
}

// On a window whose chain holds our procedure, for as long as the record is
// kept.
constexpr char kChainMark[] = "Zorbit.InChain";

void ForgetSubclass(HWND hwnd) {
    RemovePropA(hwnd, kChainMark);
    auto& subclasses = Subclasses();
    subclasses.erase(std::remove_if(subclasses.begin(), subclasses.end(),
                                    [hwnd](const Subclass& subclass) { return subclass.hwnd == hwnd; }),
                     subclasses.end());
}

// Asks a window's chain whether our procedure is in it: only the procedure
// named in the first parameter answers, every other one passes it on.
UINT g_probeMessage = 0;
constexpr LRESULT kProbeAnswer = 0x2B0B;

}  // namespace

CPluginWnd::~CPluginWnd() { Detach(); }

bool CPluginWnd::OnTop(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CPluginWnd::WindowProc);
}

bool CPluginWnd::InChain(HWND hwnd) {
    if (OnTop(hwnd))
        return true;
    if (!g_probeMessage)
        g_probeMessage = RegisterWindowMessageA("Zorbit.SubclassProbe");
    return g_probeMessage &&
           SendMessageA(hwnd, g_probeMessage, reinterpret_cast<WPARAM>(&CPluginWnd::WindowProc), 0) == kProbeAnswer;
}

// A record whose procedure is no longer in the chain (cut out, or the handle
// now names another window) leads nowhere.
// A record leads nowhere once the handle names another window, which lacks
// the mark. A window that still has the mark but does not answer the probe
// keeps its record: a later subclass may swallow the probe and still call
// our procedure, which on top again would become its own successor.
void CPluginWnd::ForgetIfStale(HWND hwnd) {
    if (FindSubclass(hwnd) && !InChain(hwnd) && !GetPropA(hwnd, kChainMark))
        ForgetSubclass(hwnd);
}

bool CPluginWnd::Taken(HWND hwnd) {
    ForgetIfStale(hwnd);
    const Subclass* subclass = FindSubclass(hwnd);
    return subclass && subclass->object;
}

bool CPluginWnd::Attach(HWND hwnd) {
    if (hwnd_ || !hwnd || !IsWindow(hwnd))
        return false;
    ForgetIfStale(hwnd);
    if (Subclass* subclass = FindSubclass(hwnd)) {
        if (subclass->object)
            return false;
        subclass->object = this;
        hwnd_ = hwnd;
        return true;
    }
    const LONG_PTR previous = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (!previous)
        return false;
    Subclasses().push_back({hwnd, reinterpret_cast<WNDPROC>(previous), this});
    SetPropA(hwnd, kChainMark, reinterpret_cast<HANDLE>(1));
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPluginWnd::WindowProc));
    return true;
}

HWND CPluginWnd::Detach() {
    HWND hwnd = hwnd_;
    if (!hwnd)
        return nullptr;
    hwnd_ = nullptr;
    // A pending timer would otherwise arrive at the browser's procedure.
    KillTimer(hwnd, kStatusTimer);
    Subclass* subclass = FindSubclass(hwnd);
    if (!subclass || subclass->object != this)
        return hwnd;
    subclass->object = nullptr;
    if (OnTop(hwnd)) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass->previous));
        ForgetSubclass(hwnd);
    } else {
        // A later subclass may call our procedure and cannot be made to
        // stop, whether or not it lets the probe through: the procedure
        // passes messages on from now, and must stay mapped after the
        // browser has let the library go.
        PinPluginModule();
    }
    return hwnd;
}

bool CPluginWnd::Handle(UINT message, WPARAM wParam) {
    // A message whose handling runs out of memory is dropped: nothing may
    // unwind into the browser's code.
    try {
        switch (message) {
        case WM_PLUGIN_COMMAND:
            OnPluginCommand(wParam);
            return true;
        case WM_PLUGIN_SELECT:
            OnPluginSelect(wParam);
            return true;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd_, &paint);
            EndPaint(hwnd_, &paint);
            return true;
        }
        case WM_TIMER: {
            HWND hwnd = hwnd_;
            OnTimer();
            return !IsWindow(hwnd);
        }
        default:
            return false;
        }
    } catch (...) {
        return true;
    }
}

// The handlers may run the browser's code (a navigation, a modal box), which
// may destroy the instance and this object, or attach another: nothing read
// from the record or the object is used after a handler returns.
LRESULT CALLBACK CPluginWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ModuleInUse inUse;
    if (g_probeMessage && message == g_probeMessage && wParam == reinterpret_cast<WPARAM>(&CPluginWnd::WindowProc))
        return kProbeAnswer;
    const Subclass* subclass = FindSubclass(hwnd);
    if (!subclass)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC previous = subclass->previous;
    CPluginWnd* self = subclass->object;
    if (message == WM_NCDESTROY) {
        // The window goes while still subclassed: nothing of ours stays on it.
        if (self)
            self->hwnd_ = nullptr;
        if (OnTop(hwnd))
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ForgetSubclass(hwnd);
    } else if (!self) {
        // Left under a later subclass that has gone since: leave the chain.
        if (OnTop(hwnd)) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            ForgetSubclass(hwnd);
        }
    } else {
        if (self->Handle(message, wParam))
            return 0;
    }
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

#include "plugin/entry/plugin_wnd.h"

#include "plugin/menus/command_ids.h"

namespace {

// Both live on the subclassed window: the previous procedure, so that it can
// be reached and restored from the window alone, and this object.
constexpr char kPreviousProcProperty[] = "Zorbit.PreviousWndProc";
constexpr char kObjectProperty[] = "Zorbit.PluginWnd";

CPluginWnd* ObjectOf(HWND hwnd) { return static_cast<CPluginWnd*>(GetPropA(hwnd, kObjectProperty)); }

}  // namespace

CPluginWnd::~CPluginWnd() { Detach(); }

bool CPluginWnd::Attach(HWND hwnd) {
    if (hwnd_ || !hwnd || !IsWindow(hwnd) || GetPropA(hwnd, kObjectProperty))
        return false;
    const LONG_PTR previous = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (!previous)
        return false;
    SetPropA(hwnd, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
    SetPropA(hwnd, kObjectProperty, this);
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
    RemovePropA(hwnd, kObjectProperty);
    const LONG_PTR previous = reinterpret_cast<LONG_PTR>(GetPropA(hwnd, kPreviousProcProperty));
    if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CPluginWnd::WindowProc)) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, previous);
        RemovePropA(hwnd, kPreviousProcProperty);
    }
    // Otherwise someone subclassed the window after us; our procedure stays
    // in their chain and, without this object, only passes messages on.
    return hwnd;
}

LRESULT CPluginWnd::CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPreviousProcProperty));
    if (!previous)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

// The handlers may run the browser's code (a navigation, a modal box), which
// may destroy the instance and this object: nothing touches the object after
// a handler returns.
LRESULT CALLBACK CPluginWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CPluginWnd* self = ObjectOf(hwnd);
    if (message == WM_NCDESTROY) {
        // The window goes while still subclassed: let go of it first, so
        // that nothing of ours stays on a dead window.
        WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPreviousProcProperty));
        if (self)
            self->Detach();
        RemovePropA(hwnd, kPreviousProcProperty);
        if (!previous)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
    if (!self)
        return CallPrevious(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_PLUGIN_COMMAND:
        self->OnPluginCommand(wParam);
        return 0;
    case WM_PLUGIN_SELECT:
        self->OnPluginSelect(wParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_TIMER:
        self->OnTimer();
        return CallPrevious(hwnd, message, wParam, lParam);
    default:
        return CallPrevious(hwnd, message, wParam, lParam);
    }
}

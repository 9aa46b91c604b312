#include "common/window_base.h"

#include <commctrl.h>

#include <exception>

namespace {

const char kBinding[] = "Zorbit.WindowBase";

}  // namespace

WindowBase::~WindowBase() { Unbind(); }

WindowBase* WindowBase::FromWindow(HWND window) {
    return window ? static_cast<WindowBase*>(GetPropA(window, kBinding)) : nullptr;
}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* arriving = nullptr;
    if (message == WM_NCCREATE)
        arriving = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    return Route(window, message, wParam, lParam, arriving, Kind::Window);
}

INT_PTR CALLBACK WindowBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* arriving = message == WM_INITDIALOG ? reinterpret_cast<WindowBase*>(lParam) : nullptr;
    return Route(window, message, wParam, lParam, arriving, Kind::Dialog);
}

INT_PTR CALLBACK WindowBase::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* arriving = nullptr;
    if (message == WM_INITDIALOG)
        arriving = reinterpret_cast<WindowBase*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    return Route(window, message, wParam, lParam, arriving, Kind::Dialog);
}

bool WindowBase::Subclass(HWND window) { return Bind(window, Kind::Subclass); }

LRESULT WindowBase::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WindowBase* arriving,
                          Kind kind) {
    if (arriving)
        arriving->Bind(window, kind);
    WindowBase* self = FromWindow(window);
    if (!self)
        return kind == Kind::Dialog ? FALSE : DefWindowProcA(window, message, wParam, lParam);
    if (message != WM_NCDESTROY)
        return self->Guarded(message, wParam, lParam);
    WNDPROC previous = self->previous_;
    self->Unbind();
    self->OnDetached();
    if (previous)
        return CallWindowProcA(previous, window, message, wParam, lParam);
    return kind == Kind::Dialog ? FALSE : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT WindowBase::Guarded(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return OnMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        OnUnhandledError(error.what());
    } catch (...) {
        OnUnhandledError(nullptr);
    }
    return 0;
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (kind_) {
    case Kind::Dialog:
        return FALSE;
    case Kind::Subclass:
        return CallWindowProcA(previous_, window_, message, wParam, lParam);
    case Kind::Window:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void WindowBase::OnUnhandledError(const char*) noexcept {}

bool WindowBase::Bind(HWND window, Kind kind) {
    if (window_ || !window || FromWindow(window) || !SetPropA(window, kBinding, this))
        return false;
    window_ = window;
    kind_ = kind;
    if (kind == Kind::Subclass)
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    return true;
}

void WindowBase::Unbind() {
    if (!window_)
        return;
    if (previous_)
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(window_, kBinding);
    window_ = nullptr;
    previous_ = nullptr;
}

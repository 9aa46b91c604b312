// The one way a window or dialog reaches its object, and the one exception
// barrier around it. The object is bound to its window through a window
// property as the window is made (or, for a window the system makes, when it
// is subclassed) and let go at WM_NCDESTROY. Every message ends in the
// object's OnMessage: a flat switch that hands each message to a named
// handler. An exception a handler lets escape is reported through
// OnUnhandledError and the message is dropped; the program runs on.
//
// Typical use:
//   class Frame : public WindowBase {
//       LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
//           switch (message) {
//           case WM_SIZE: return OnSize();
//           }
//           return Default(message, wParam, lParam);
//       }
//   };
//   wc.lpfnWndProc = WindowBase::WindowProc;                  // window class
//   CreateWindowExA(..., static_cast<WindowBase*>(&frame));   // creation parameter
//   DialogBoxParamA(..., WindowBase::DialogProc, reinterpret_cast<LPARAM>(static_cast<WindowBase*>(&dialog)));
#pragma once

#include <windows.h>

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Window() const { return window_; }

    // For a window class; the creation parameter is the WindowBase*.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // For DialogBoxParam and CreateDialogParam; the parameter is the WindowBase*.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // For a property sheet page; the page's lParam is the WindowBase*.
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Binds the object to a window made by someone else, in front of that
    // window's procedure. False when either is bound already.
    bool Subclass(HWND window);

    // The object bound to a window, or null.
    static WindowBase* FromWindow(HWND window);
    // Names the object's class, for a caller that must check what a window
    // is before it uses it.
    virtual const char* RuntimeClassName() const { return "WindowBase"; }

protected:
    // The flat switch. Dialogs and pages answer as dialog procedures do.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // What the switch gives a message it leaves alone: the default window
    // procedure, the subclassed one, or FALSE for a dialog.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // An exception escaped a handler; its message is dropped after this.
    virtual void OnUnhandledError(const char* what) noexcept;
    // The window is going; the object is no longer bound when this runs.
    virtual void OnDetached() {}

private:
    enum class Kind { Window, Dialog, Subclass };
    static LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WindowBase* arriving, Kind kind);
    LRESULT Guarded(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    bool Bind(HWND window, Kind kind);
    void Unbind();

    HWND window_ = nullptr;
    Kind kind_ = Kind::Window;
    WNDPROC previous_ = nullptr;
};

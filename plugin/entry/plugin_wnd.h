// The window object that takes over the browser-made plug-in window of an
// attached instance: it receives the menu commands and highlights that the
// hooks forward, and shows the highlighted item's address in the status
// line through a short timer.
#pragma once

#include <windows.h>

#include <string>

#include "plugin/entry/npapi.h"

class CPluginWnd {
public:
    // The status timer on the plug-in window, and its period.
    static constexpr UINT_PTR kStatusTimer = 2;
    static constexpr UINT kStatusDelayMs = 50;

    CPluginWnd() = default;
    CPluginWnd(const CPluginWnd&) = delete;
    CPluginWnd& operator=(const CPluginWnd&) = delete;
    // Detaches first when still attached.
    virtual ~CPluginWnd();

    // Subclasses the window; the previous window procedure gets every
    // message this object does not take. A window whose chain still holds
    // our procedure from an earlier attachment is taken over as it is, so
    // the procedure is never in a chain twice. False when the window is
    // another object's; std::bad_alloc when out of memory, with nothing
    // changed.
    bool Attach(HWND hwnd);
    // Stops the status timer and gives the window its previous window
    // procedure back when ours is on top. Under a later subclass ours stays
    // in the chain, passing messages on, and the library stays loaded.
    // The window itself stays. Returns the window.
    HWND Detach();
    // Whether another window object is attached to the window: an
    // attachment to it would be refused.
    static bool Taken(HWND hwnd);

    HWND hwnd() const { return hwnd_; }

    std::string pendingUrl;
    NPP npp = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool OnTop(HWND hwnd);
    static bool InChain(HWND hwnd);
    static void ForgetIfStale(HWND hwnd);
    // Handles a message meant for this object; false to pass it on.
    bool Handle(UINT message, WPARAM wParam);

    // Message handlers (menu_commands.cpp).
    void OnPluginCommand(WPARAM command);
    void OnPluginSelect(WPARAM item);
    void OnTimer();

    HWND hwnd_ = nullptr;
};

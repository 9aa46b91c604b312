#include "tests/support/test_windows.h"

#include "plugin/menus/command_ids.h"

namespace support {

namespace {

std::vector<Received> g_pluginMessages;
std::vector<WPARAM> g_frameCommands;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        g_frameCommands.push_back(wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PluginWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PLUGIN_COMMAND || message == WM_PLUGIN_SELECT || message == WM_TIMER ||
        message == WM_PAINT)
        g_pluginMessages.push_back({hwnd, message, wParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* RegisterOnce(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);  // fails harmlessly when already registered
    return name;
}

const char* PluginWindowClass() { return RegisterOnce("ZorbitTestPluginWindow", PluginWindowProc); }

HMENU BrowserMenuBar() {
    HMENU bar = CreateMenu();
    const char* names[] = {"File", "Edit", "View"};
    for (UINT i = 0; i < 3; ++i) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, i + 1, names[i]);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), names[i]);
    }
    return bar;
}

}  // namespace

std::vector<Received>& PluginWindowMessages() { return g_pluginMessages; }
WNDPROC PluginWindowClassProc() { return PluginWindowProc; }

Frame::Frame(bool withMenuBar, bool visible) {
    const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
    frame_ = CreateWindowExA(0, RegisterOnce("ZorbitTestFrame", FrameProc), "Browser", style, 40, 30, 640, 400,
                             nullptr, withMenuBar ? BrowserMenuBar() : nullptr, GetModuleHandleA(nullptr),
                             nullptr);
}

Frame::~Frame() {
    if (IsWindow(frame_))
        DestroyWindow(frame_);
}

std::vector<WPARAM>& Frame::Commands() { return g_frameCommands; }

HWND Frame::AddPluginWindow() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    if (!middle_) {
        const char* pane = RegisterOnce("ZorbitTestPane", PaneProc);
        outer_ = CreateWindowExA(0, pane, "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 300, frame_, nullptr, module,
                                 nullptr);
        middle_ = CreateWindowExA(0, pane, "", WS_CHILD | WS_VISIBLE, 0, 0, 580, 280, outer_, nullptr, module,
                                  nullptr);
    }
    HWND plugin = CreateWindowExA(0, PluginWindowClass(), "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, middle_,
                                  nullptr, module, nullptr);
    if (!plugin_)
        plugin_ = plugin;
    return plugin;
}

Target::Target() {
    hwnd_ = CreateWindowExA(0, PluginWindowClass(), "Plugin", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

Target::~Target() {
    Clear();
    DestroyWindow(hwnd_);
}

std::vector<std::pair<UINT, WPARAM>> Target::received() const {
    std::vector<std::pair<UINT, WPARAM>> out;
    for (const Received& r : g_pluginMessages)
        if (r.hwnd == hwnd_ && (r.message == WM_PLUGIN_COMMAND || r.message == WM_PLUGIN_SELECT))
            out.emplace_back(r.message, r.wParam);
    return out;
}

std::vector<WPARAM> Target::Commands() const {
    std::vector<WPARAM> out;
    for (const auto& m : received())
        if (m.first == WM_PLUGIN_COMMAND)
            out.push_back(m.second);
    return out;
}

std::vector<WPARAM> Target::Selects() const {
    std::vector<WPARAM> out;
    for (const auto& m : received())
        if (m.first == WM_PLUGIN_SELECT)
            out.push_back(m.second);
    return out;
}

void Target::Clear() {
    std::vector<Received> kept;
    for (const Received& r : g_pluginMessages)
        if (r.hwnd != hwnd_)
            kept.push_back(r);
    g_pluginMessages.swap(kept);
}

}  // namespace support

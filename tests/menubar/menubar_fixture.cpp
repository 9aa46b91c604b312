#include "tests/menubar/menubar_fixture.h"

#include <gtest/gtest.h>

#include "plugin/menus/command_ids.h"

namespace menubar_test {

namespace {

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};
std::vector<Received> g_received;

std::vector<WPARAM> g_frameCommands;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        g_frameCommands.push_back(wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PLUGIN_COMMAND || message == WM_PLUGIN_SELECT) {
        g_received.push_back({hwnd, message, wParam});
        return 0;
    }
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

MenuItem ReadItem(HMENU menu, int position) {
    MenuItem item;
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
        ADD_FAILURE() << "GetMenuItemInfoA failed at position " << position;
        return item;
    }
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.submenu = info.hSubMenu;
    item.bitmap = info.hbmpItem;
    if (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR)))
        item.text = text;
    if ((info.fType & MFT_BITMAP) && !item.bitmap) {
        MENUITEMINFOA legacy = {};
        legacy.cbSize = sizeof(legacy);
        legacy.fMask = MIIM_TYPE;
        GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &legacy);
        item.bitmap = reinterpret_cast<HBITMAP>(legacy.dwTypeData);
    }
    return item;
}

std::vector<MenuItem> ReadItems(HMENU menu) {
    std::vector<MenuItem> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        items.push_back(ReadItem(menu, i));
    return items;
}

Frame::Frame(bool withMenuBar) {
    hwnd_ = CreateWindowExA(0, RegisterOnce("ZorbitTestFrame", FrameProc), "Browser",
                            WS_OVERLAPPEDWINDOW, 40, 30, 640, 400, nullptr,
                            withMenuBar ? BrowserMenuBar() : nullptr, GetModuleHandleA(nullptr),
                            nullptr);
}

std::vector<WPARAM>& Frame::Commands() { return g_frameCommands; }

Frame::~Frame() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

Target::Target() {
    hwnd_ = CreateWindowExA(0, RegisterOnce("ZorbitTestTarget", TargetProc), "Plugin", WS_POPUP,
                            0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

Target::~Target() {
    Clear();
    DestroyWindow(hwnd_);
}

std::vector<std::pair<UINT, WPARAM>> Target::received() const {
    std::vector<std::pair<UINT, WPARAM>> out;
    for (const Received& r : g_received)
        if (r.hwnd == hwnd_)
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
    for (const Received& r : g_received)
        if (r.hwnd != hwnd_)
            kept.push_back(r);
    g_received.swap(kept);
}

void PumpPending() {
    // A marker posted last tells where the messages present now end; every
    // message before it is taken off with GetMessage. Messages that the
    // dispatched ones post are taken in the next round.
    const UINT marker = WM_APP + 77;
    for (int round = 0; round < 20; ++round) {
        PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0);
        int dispatched = 0;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == marker)
                break;
            DispatchMessageA(&msg);
            ++dispatched;
        }
        if (dispatched == 0)
            return;
    }
}

int DrainPluginMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_PLUGIN_COMMAND, WM_PLUGIN_SELECT, PM_REMOVE))
        ++count;
    return count;
}

std::unique_ptr<CItemData> Entry(const char* name, EntryKind kind, int depth) {
    return std::make_unique<CItemData>(name, kind == Item ? "page.htm" : "", kind, depth);
}

void AddWorkedExample(CBarMenuData& data) {
    data.definitionEntries.push_back(Entry("Reading", Title, 0));
    data.definitionEntries.push_back(Entry("Daily news", Item, 1));
    data.definitionEntries.push_back(Entry("Archive", Submenu, 1));
    data.definitionEntries.push_back(Entry("1998", Item, 2));
    data.definitionEntries.push_back(Entry("", Separator, 1));
    data.definitionEntries.push_back(Entry("", Break, 1));
    data.definitionEntries.push_back(Entry("Help", Item, 1));
}

}  // namespace menubar_test

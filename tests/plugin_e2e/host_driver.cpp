#include "tests/plugin_e2e/host_driver.h"

#include <commctrl.h>

#include <cstdio>

namespace plugin_e2e {

std::string DosPath(const std::string& unixPath) {
    typedef WCHAR*(CDECL * ToDos)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos) {
        if (WCHAR* dos = toDos(unixPath.c_str())) {
            char path[MAX_PATH * 2] = {};
            WideCharToMultiByte(CP_ACP, 0, dos, -1, path, sizeof(path), nullptr, nullptr);
            HeapFree(GetProcessHeap(), 0, dos);
            return path;
        }
    }
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

namespace {
int g_pluginMessages = 0;
}  // namespace

int PluginMessagesSeen() { return g_pluginMessages; }

void PumpFor(HWND frame, HACCEL accelerators, DWORD ms) {
    PumpUntil(frame, accelerators, [] { return false; }, ms);
}

bool PumpUntil(HWND frame, HACCEL accelerators, const std::function<bool()>& condition, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_USER + 10 || msg.message == WM_USER + 11)
                ++g_pluginMessages;
            if (frame && accelerators && TranslateAcceleratorA(frame, accelerators, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

namespace {

INPUT Key(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

}  // namespace

void TypeKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        const bool alt = (key & kAlt) != 0;
        const WORD vk = key & ~kAlt;
        if (alt)
            inputs.push_back(Key(VK_MENU, false));
        inputs.push_back(Key(vk, false));
        inputs.push_back(Key(vk, true));
        if (alt)
            inputs.push_back(Key(VK_MENU, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return lines;
    std::string line;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    std::fclose(file);
    return lines;
}

std::vector<BarItem> ReadMenu(HMENU menu) {
    std::vector<BarItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        BarItem item;
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        item.type = info.fType;
        item.id = info.wID;
        item.submenu = info.hSubMenu;
        item.bitmap = info.hbmpItem;
        if (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR)))
            item.text = text;
        if ((info.fType & MFT_BITMAP) && !item.bitmap) {
            MENUITEMINFOA legacy = {};
            legacy.cbSize = sizeof(legacy);
            legacy.fMask = MIIM_TYPE;
            GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &legacy);
            item.bitmap = reinterpret_cast<HBITMAP>(legacy.dwTypeData);
        }
        items.push_back(item);
    }
    return items;
}

std::string StatusText(HWND statusBar) {
    char text[1024] = "";
    const LRESULT length = SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0);
    if (LOWORD(length) >= sizeof(text))
        return std::string();
    SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

int LiveMenus() {
    int count = 0;
    for (UINT_PTR value = 0x20; value < 0x10000; value += 2)
        count += IsMenu(reinterpret_cast<HMENU>(value)) ? 1 : 0;
    return count;
}

int LiveGdiObjects() {
    int count = 0;
    for (UINT_PTR value = 1; value < 0x10000; ++value)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(value)) ? 1 : 0;
    return count;
}

}  // namespace plugin_e2e

#include "tests/plugin_e2e/host_driver.h"

#include <commctrl.h>

namespace plugin_e2e {

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

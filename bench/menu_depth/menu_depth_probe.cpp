// Opens a chain of nested popups, DEPTH levels deep, level by level as a
// person would: with the Right key, or by clicking each new popup's
// submenu. Prints how many levels opened and how long it took; a level
// that does not open within three seconds ends the run.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int gDepth = 0;
bool gMouse = false;

std::vector<HWND> OpenPopups() {
    std::vector<HWND> popups;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32768", nullptr)) != nullptr;)
        if (IsWindowVisible(w))
            popups.push_back(w);
    return popups;
}

void Key(WORD key) {
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

void ClickFirstItem(HWND popup) {
    RECT rect;
    GetWindowRect(popup, &rect);
    SetCursorPos(rect.left + 10, rect.top + 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

DWORD WINAPI Person(void*) {
    Sleep(300);
    const DWORD start = GetTickCount();
    std::vector<HWND> seen = OpenPopups();
    HWND newest = seen.empty() ? nullptr : seen.front();
    int opened = static_cast<int>(seen.size());
    if (!gMouse)
        Key(VK_DOWN);
    while (opened < gDepth) {
        if (gMouse)
            ClickFirstItem(newest);
        else
            Key(VK_RIGHT);
        const DWORD waited = GetTickCount();
        std::vector<HWND> now;
        while ((now = OpenPopups()).size() <= static_cast<size_t>(opened) && GetTickCount() - waited < 3000)
            Sleep(1);
        if (now.size() <= static_cast<size_t>(opened))
            break;
        opened = static_cast<int>(now.size());
        for (HWND popup : now) {
            bool old = false;
            for (HWND known : seen)
                old = old || known == popup;
            if (!old) {
                newest = popup;
                seen.push_back(popup);
            }
        }
    }
    RECT rect = {};
    GetWindowRect(newest, &rect);
    std::printf("%s, depth %d: %d levels opened in %lu ms, the deepest at x %ld..%ld\n", gMouse ? "mouse" : "keys",
                gDepth, opened, GetTickCount() - start, rect.left, rect.right);
    std::fflush(stdout);
    for (int i = 0; i < opened + 2; ++i)
        Key(VK_ESCAPE);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    gDepth = argc > 1 ? std::atoi(argv[1]) : 12;
    gMouse = argc > 2 && std::strcmp(argv[2], "mouse") == 0;
    HWND owner = CreateWindowA("STATIC", "menu depth", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    SetForegroundWindow(owner);
    HMENU top = CreatePopupMenu();
    HMENU current = top;
    for (int level = 1; level < gDepth; ++level) {
        HMENU submenu = CreatePopupMenu();
        AppendMenuA(current, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), "Submenu");
        AppendMenuA(current, MF_STRING, 1000 + level, "Item");
        current = submenu;
    }
    AppendMenuA(current, MF_STRING, 1, "Deepest");
    HANDLE person = CreateThread(nullptr, 0, Person, nullptr, 0, nullptr);
    TrackPopupMenu(top, TPM_LEFTALIGN, 20, 20, 0, owner, nullptr);
    WaitForSingleObject(person, INFINITE);
    return 0;
}

// Times InstallMenus and RemoveMenus on a visible frame with a browser-like
// menu bar, for definitions of several sizes. Prints one table row per size:
// the best and the median of the repetitions, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "plugin/menubar/plugin_module.h"
#include "plugin/menubar/menu_bar_set.h"
#include "bench/win32_timing.h"

namespace {

using bench::Milliseconds;
using bench::Pump;
using bench::Stats;
using bench::Summarise;

constexpr int kRepetitions = 7;

HWND CreateFrame() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZorbitBenchFrame";
    RegisterClassA(&wc);
    HMENU bar = CreateMenu();
    for (const char* name : {"File", "Edit", "View", "Go", "Favorites", "Help"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, name);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    }
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "Browser", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                                 600, nullptr, bar, wc.hInstance, nullptr);
    ShowWindow(frame, SW_SHOW);
    return frame;
}

// A definition shaped like a large site map: a title every 50 entries, each
// with items, a submenu of ten items, separators and a column break.
void AddDefinition(CBarMenuData& data, int count) {
    for (int j = 0; j < count; ++j) {
        int place = j % 50;
        char name[32];
        snprintf(name, sizeof(name), "Entry %d", j);
        EntryKind kind = Item;
        int entryDepth = 1;
        if (place == 0) {
            kind = Title;
            entryDepth = 0;
        } else if (place == 20) {
            kind = Submenu;
        } else if (place > 20 && place <= 30) {
            entryDepth = 2;
        } else if (place == 35) {
            kind = Break;
        } else if (place % 10 == 5) {
            kind = Separator;
        }
        data.definitionEntries.push_back(
            std::make_unique<CItemData>(name, kind == Item ? "page.htm" : "", kind, entryDepth));
    }
    for (int i = 0; i < 10; ++i)
        data.collectionEntries.push_back(std::make_unique<CItemData>("Collection", "c.htm", Item, 0));
}

}  // namespace

int main() {
    SetPluginModule(GetModuleHandleA(nullptr));
    HWND frame = CreateFrame();
    Pump();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    printf("InstallMenus + RemoveMenus, %d repetitions, milliseconds (best / median)\n",
           kRepetitions);
    printf("%8s %8s %19s %19s %19s %12s\n", "entries", "menus", "install", "remove", "total",
           "us/entry");
    for (int count : {100, 1000, 5000}) {
        std::vector<double> install, remove, total;
        size_t menus = 0;
        for (int rep = 0; rep < kRepetitions + 1; ++rep) {
            CBarMenuData data;
            AddDefinition(data, count);
            LARGE_INTEGER t0, t1, t2;
            QueryPerformanceCounter(&t0);
            data.InstallMenus(frame);
            QueryPerformanceCounter(&t1);
            menus = data.bar->createdMenus.size();
            data.RemoveMenus();
            QueryPerformanceCounter(&t2);
            Pump();
            if (rep == 0)
                continue;  // warm-up
            install.push_back(Milliseconds(t0, t1, frequency));
            remove.push_back(Milliseconds(t1, t2, frequency));
            total.push_back(Milliseconds(t0, t2, frequency));
        }
        Stats i = Summarise(install), r = Summarise(remove), t = Summarise(total);
        printf("%8d %8zu %9.3f / %7.3f %9.3f / %7.3f %9.3f / %7.3f %12.2f\n", count, menus, i.best,
               i.median, r.best, r.median, t.best, t.median, 1000.0 * t.median / count);
    }
    DestroyWindow(frame);
    fflush(stdout);
    return 0;
}

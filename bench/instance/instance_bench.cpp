// Times an instance of the built plug-in from NPP_New until its menus are in
// the frame's menu bar: NPP_New (record, collections), NPP_StreamAsFile (the
// definition file read and turned into entries) and NPP_SetWindow (menus,
// hooks, subclassing), for definitions of several sizes; NPP_Destroy apart.
// Prints one row per size: best and median of the repetitions, milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/entry/instance_data.h"
#include "plugin/entry/npapi.h"
#include "plugin/menus/bar_menu_data.h"
#include "bench/plugin_under_test.h"
#include "bench/win32_timing.h"

namespace {

using bench::Milliseconds;
using bench::Pump;
using bench::Stats;
using bench::Summarise;

constexpr int kRepetitions = 7;

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// A page shaped like a large site map: a title every 50 entries, items, a
// submenu of ten items, separators and a column break; `count` entries.
std::string Definition(int count) {
    std::string page = "<html><body>\r\n<embed type=\"application/vnd.vantrel-zorbit\" filename=\"bench.zbx\">\r\n";
    for (int j = 0; j < count; ++j) {
        const int place = j % 50;
        char line[96];
        if (place == 0) {
            if (j > 0)
                page += "TITLE \"END\"\r\n";
            snprintf(line, sizeof(line), "TITLE \"Title %d\"\r\n", j);
        } else if (place == 20) {
            snprintf(line, sizeof(line), "SUBMENU \"Submenu %d\"\r\n", j);
        } else if (place == 31) {
            snprintf(line, sizeof(line), "SUBMENU \"END\" MENUITEM \"Entry %d;http://e.example/%d.htm\"\r\n", j, j);
        } else if (place == 35) {
            snprintf(line, sizeof(line), "BREAK\r\n");
        } else if (place % 10 == 5) {
            snprintf(line, sizeof(line), "SEPARATOR\r\n");
        } else {
            snprintf(line, sizeof(line), "MENUITEM \"Entry %d;http://e.example/%d.htm\"\r\n", j, j);
        }
        page += line;
    }
    page += "TITLE \"END\"\r\n</body></html>\r\n";
    return page;
}

}  // namespace

int main() {
    bench::PluginUnderTest loaded;
    if (!loaded.Load(ZORBIT_PLUGIN_DLL))
        return 1;
    NPPluginFuncs& plugin = loaded.plugin;

    // A product directory of its own with ten collection entries.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char unique[MAX_PATH];
    GetTempFileNameA(temp, "zbb", 0, unique);
    DeleteFileA(unique);
    CreateDirectoryA(unique, nullptr);
    const std::string dir = unique;
    char oldDir[512];
    GetProfileStringA("Zorbit", "ZorbitDir", "\x01", oldDir, sizeof(oldDir));
    WriteProfileStringA("Zorbit", "ZorbitDir", dir.c_str());
    std::string index = "[Bazrelle]\r\n";
    for (int i = 0; i < 10; ++i)
        index += "Collection " + std::to_string(i) + "=http://c.example/" + std::to_string(i) + ".htm\r\n";
    WriteFileBytes(dir + "\\ZBIndex.ini", index);
    const std::string definition = dir + "\\bench.zbx";

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZorbitInstanceBenchWindow";
    RegisterClassA(&wc);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::printf("NPP_New to menus in the bar, %d repetitions, milliseconds (best / median)\n", kRepetitions);
    std::printf("%8s %17s %17s %17s %17s %17s\n", "entries", "NPP_New", "StreamAsFile", "SetWindow", "total",
                "NPP_Destroy");
    for (int count : {100, 5000}) {
        WriteFileBytes(definition, Definition(count));
        std::vector<double> created, streamed, attached, total, destroyed;
        size_t entries = 0;
        int barItems = 0;
        for (int rep = 0; rep < kRepetitions + 1; ++rep) {
            HMENU bar = CreateMenu();
            for (const char* name : {"File", "Edit", "View", "Go", "Favorites", "Help"}) {
                HMENU popup = CreatePopupMenu();
                AppendMenuA(popup, MF_STRING, 1, name);
                AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
            }
            HWND frame = CreateWindowExA(0, wc.lpszClassName, "Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                         600, nullptr, bar, wc.hInstance, nullptr);
            HWND page = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 780, 500, frame,
                                        nullptr, wc.hInstance, nullptr);
            HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 2, 2, page, nullptr,
                                          wc.hInstance, nullptr);
            Pump();

            NPP_t npp = {};
            NPWindow npWindow = {};
            npWindow.window = window;
            char type[] = "application/vnd.vantrel-zorbit";
            char* names[] = {const_cast<char*>("filename")};
            char* values[] = {const_cast<char*>("bench.zbx")};
            NPStream stream = {};
            LARGE_INTEGER t0, t1, t2, t3, t4;
            QueryPerformanceCounter(&t0);
            plugin.newp(type, &npp, NP_EMBED, 1, names, values, nullptr);
            QueryPerformanceCounter(&t1);
            plugin.asfile(&npp, &stream, definition.c_str());
            QueryPerformanceCounter(&t2);
            plugin.setwindow(&npp, &npWindow);
            QueryPerformanceCounter(&t3);
            entries = static_cast<InstanceData*>(npp.pdata)->menus->definitionEntries.size();
            barItems = GetMenuItemCount(bar);
            plugin.destroy(&npp, nullptr);
            QueryPerformanceCounter(&t4);
            DestroyWindow(frame);
            Pump();
            if (rep == 0)
                continue;  // warm-up
            created.push_back(Milliseconds(t0, t1, frequency));
            streamed.push_back(Milliseconds(t1, t2, frequency));
            attached.push_back(Milliseconds(t2, t3, frequency));
            total.push_back(Milliseconds(t0, t3, frequency));
            destroyed.push_back(Milliseconds(t3, t4, frequency));
        }
        const Stats n = Summarise(created), s = Summarise(streamed), w = Summarise(attached), t = Summarise(total),
                    d = Summarise(destroyed);
        std::printf("%8zu %8.3f / %6.3f %8.3f / %6.3f %8.3f / %6.3f %8.3f / %6.3f %8.3f / %6.3f   (%d bar items)\n",
                    entries, n.best, n.median, s.best, s.median, w.best, w.median, t.best, t.median, d.best, d.median,
                    barItems);
    }

    DeleteFileA(definition.c_str());
    DeleteFileA((dir + "\\ZBIndex.ini").c_str());
    RemoveDirectoryA(dir.c_str());
    if (std::strcmp(oldDir, "\x01") == 0)
        WriteProfileStringA("Zorbit", "ZorbitDir", nullptr);
    else
        WriteProfileStringA("Zorbit", "ZorbitDir", oldDir);
    std::fflush(stdout);
    return 0;
}

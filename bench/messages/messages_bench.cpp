// The cost of one message on the browser thread with an attached instance of
// the plug-in and without: a same-thread SendMessage, and a PostMessage that
// is retrieved with PeekMessage and dispatched. Prints the best and median
// cost per message of several rounds, microseconds, and the ratios of the
// medians (attached / none).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plugin/entry/npapi.h"
#include "bench/plugin_under_test.h"
#include "bench/win32_timing.h"

namespace {

using bench::Pump;
using bench::Stats;
using bench::Summarise;

constexpr int kRounds = 15;
constexpr int kSentPerRound = 20000;
constexpr int kPostedPerRound = 5000;
constexpr UINT kBenchMessage = WM_APP + 7;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency, int count) {
    return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart) / count;
}

struct Round {
    double sent;
    double posted;
};

// Messages to the browser's page window, which the plug-in never subclasses.
Round MeasureRound(HWND page, LARGE_INTEGER frequency) {
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kSentPerRound; ++i)
        SendMessageA(page, kBenchMessage, i, 0);
    QueryPerformanceCounter(&t1);
    MSG msg;
    for (int i = 0; i < kPostedPerRound; ++i) {
        PostMessageA(page, kBenchMessage, i, 0);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    QueryPerformanceCounter(&t2);
    return {Microseconds(t0, t1, frequency, kSentPerRound), Microseconds(t1, t2, frequency, kPostedPerRound)};
}

struct Series {
    std::vector<double> sent;
    std::vector<double> posted;
    void Add(Round round) {
        sent.push_back(round.sent);
        posted.push_back(round.posted);
    }
};

}  // namespace

int main() {
    bench::PluginUnderTest loaded;
    if (!loaded.Load(ZORBIT_PLUGIN_DLL))
        return 1;
    NPPluginFuncs& plugin = loaded.plugin;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZorbitMessagesBenchWindow";
    RegisterClassA(&wc);
    HMENU bar = CreateMenu();
    for (const char* name : {"File", "Edit", "View", "Go", "Help"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, name);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    }
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                                 nullptr, bar, wc.hInstance, nullptr);
    HWND page = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 780, 500, frame, nullptr,
                                wc.hInstance, nullptr);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 2, 2, page, nullptr,
                                  wc.hInstance, nullptr);
    Pump();

    // Rounds without and with an instance alternate, so that both see the
    // same load of the machine. An instance without a definition file is
    // ready at once and attaches at its first window: menus in the bar,
    // hooks, subclassing.
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    Series none, attached;
    int barItems = 0;
    for (int round = 0; round < kRounds + 1; ++round) {
        const Round without = MeasureRound(page, frequency);
        NPP_t npp = {};
        NPWindow npWindow = {};
        npWindow.window = window;
        char type[] = "application/vnd.vantrel-zorbit";
        plugin.newp(type, &npp, NP_EMBED, 0, nullptr, nullptr, nullptr);
        plugin.setwindow(&npp, &npWindow);
        Pump();
        barItems = GetMenuItemCount(bar);
        const Round with = MeasureRound(page, frequency);
        plugin.destroy(&npp, nullptr);
        Pump();
        if (round == 0)
            continue;  // warm-up: Wine's first messages cost more
        none.Add(without);
        attached.Add(with);
    }

    const Stats noneSent = Summarise(none.sent), nonePosted = Summarise(none.posted);
    const Stats withSent = Summarise(attached.sent), withPosted = Summarise(attached.posted);
    std::printf("cost per message on the browser thread, %d rounds, microseconds (best / median)\n", kRounds);
    std::printf("%-20s %17s %17s\n", "", "sent", "posted+retrieved");
    std::printf("%-20s %8.3f / %6.3f %8.3f / %6.3f\n", "no instance", noneSent.best, noneSent.median,
                nonePosted.best, nonePosted.median);
    std::printf("%-20s %8.3f / %6.3f %8.3f / %6.3f   (%d bar items)\n", "attached instance", withSent.best,
                withSent.median, withPosted.best, withPosted.median, barItems);
    std::printf("ratio attached / none: sent %.2f (best %.2f), posted %.2f (best %.2f)\n",
                withSent.median / noneSent.median, withSent.best / noneSent.best, withPosted.median / nonePosted.median,
                withPosted.best / nonePosted.best);

    DestroyWindow(frame);
    Pump();
    std::fflush(stdout);
    return 0;
}

// What the editor does for each character typed into a caption: the page is
// read again as it would be saved (ReadEditedPage) and the plug-in's entries
// of that reading are made for the live menu bar (LoadPluginEntries). The
// goal is 16 ms, one frame, at 5,000 entries. Google Benchmark on the host; under Wine the
// best and median of repeated keystrokes.
#include <string>
#include <vector>

#ifdef _WIN32
#include <cstdio>

#include "bench/win32_timing.h"
#else
#include <benchmark/benchmark.h>
#endif

#include "editor/document/definition_document.h"
#include "plugin/menus/bar_menu_data.h"

namespace {

// A product-like page: titles of 50 entries with a submenu, one per line.
std::string MakePage(int entries) {
    std::string text =
        "<html>\r\n<head><title>Generated</title></head>\r\n<body>\r\n"
        "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"g.htm\" width=\"2\" height=\"2\">\r\n<pre>\r\n";
    for (int made = 0, menu = 0; made < entries; ++menu) {
        text += "TITLE \"Menu " + std::to_string(menu) + "\"\r\n";
        ++made;
        for (int k = 0; k < 49 && made < entries; ++k, ++made) {
            if (k == 20)
                text += "SUBMENU \"Group " + std::to_string(made) + "\"\r\n";
            else
                text += "MENUITEM \"Page " + std::to_string(made) + ";https://example.org/p/" +
                        std::to_string(made) + ".htm\"\r\n";
            if (k == 30)
                text += "SUBMENU \"END\"\r\n";
        }
        text += "TITLE \"END\"\r\n";
    }
    return text + "</pre>\r\n</body>\r\n</html>\r\n";
}

// One character typed into the caption of the middle line, or taken back in
// turn, so the caption keeps its length.
size_t TypeOne(zorbit::DefinitionPage& page, CBarMenuData& menus) {
    zorbit::DefinitionLine& typed = page.lines[page.lines.size() / 2];
    if (typed.caption.back() == 'x')
        typed.caption.pop_back();
    else
        typed.caption += 'x';
    const zorbit::PageReading view = zorbit::ReadEditedPage(page);
    zorbit::LoadPluginEntries(view.menus, menus);
    return view.menus.size();
}

}  // namespace

#ifdef _WIN32

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int entries : {500, 5000, 50000}) {
        zorbit::PageReading reading = zorbit::ReadPageBytes(MakePage(entries));
        CBarMenuData menus;
        std::vector<double> times;
        for (int i = 0; i < (entries > 5000 ? 5 : 30); ++i) {
            LARGE_INTEGER from, to;
            QueryPerformanceCounter(&from);
            TypeOne(reading.page, menus);
            QueryPerformanceCounter(&to);
            times.push_back(bench::Milliseconds(from, to, frequency));
        }
        const bench::Stats stats = bench::Summarise(times);
        std::printf("keystroke at %zu entries: best %.2f ms, median %.2f ms\n", reading.page.lines.size(),
                    stats.best, stats.median);
    }
    return 0;
}

#else

void Keystroke(benchmark::State& state) {
    zorbit::PageReading reading = zorbit::ReadPageBytes(MakePage(static_cast<int>(state.range(0))));
    CBarMenuData menus;
    for (auto _ : state)
        benchmark::DoNotOptimize(TypeOne(reading.page, menus));
    state.counters["entries"] = static_cast<double>(reading.page.lines.size());
}

BENCHMARK(Keystroke)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

#endif

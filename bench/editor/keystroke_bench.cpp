// What the editor does for each character typed into a caption: the page is
// read again as it would be saved (ReadEditedPage) and the plug-in's entries
// are made for the live menu bar (LoadPluginEntries). The goal is 16 ms, one
// frame, at 5,000 entries.
#include <benchmark/benchmark.h>

#include <string>

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

void Keystroke(benchmark::State& state) {
    zorbit::PageReading reading = zorbit::ReadPageBytes(MakePage(static_cast<int>(state.range(0))));
    zorbit::DefinitionPage& page = reading.page;
    zorbit::DefinitionLine& typed = page.lines[page.lines.size() / 2];
    CBarMenuData menus;
    for (auto _ : state) {
        // Typed and taken back in turn, so the caption keeps its length.
        if (typed.caption.back() == 'x')
            typed.caption.pop_back();
        else
            typed.caption += 'x';
        const zorbit::PageReading view = zorbit::ReadEditedPage(page);
        zorbit::LoadPluginEntries(page, menus);
        benchmark::DoNotOptimize(view.menus.size());
    }
    state.counters["entries"] = static_cast<double>(page.lines.size());
}

}  // namespace

BENCHMARK(Keystroke)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

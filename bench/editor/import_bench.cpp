// What the editor does to import a Favorites folder of 500 links (25
// folders of 20): the folder read, the links made into lines, the lines
// added to the page and the page read again for tree, problems and the live
// menu bar. The goal is under a second under Wine. Google Benchmark on the
// host; under Wine the best and median of repeated imports.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <cstdio>

#include "bench/win32_timing.h"
#else
#include <benchmark/benchmark.h>
#endif

#include "editor/document/definition_document.h"
#include "editor/document/link_import.h"
#include "plugin/menus/bar_menu_data.h"

namespace {

namespace fs = std::filesystem;

// A scratch Favorites folder, removed with all it holds.
class FavoritesFolder {
public:
    explicit FavoritesFolder(int links) {
        std::random_device random;
        root_ = fs::temp_directory_path() / ("zorbit-import-bench-" + std::to_string(random()));
        for (int i = 0; i < links; ++i) {
            const fs::path folder = root_ / ("Folder " + std::to_string(i / 20));
            fs::create_directories(folder);
            std::ofstream(folder / ("Link " + std::to_string(i) + ".url"), std::ios::binary)
                << "[InternetShortcut]\r\nURL=https://example.org/" << i << ".htm\r\n";
        }
    }
    ~FavoritesFolder() {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    std::string path() const { return root_.string(); }

private:
    fs::path root_;
};

size_t Import(const std::string& folder, CBarMenuData& menus) {
    zorbit::DefinitionPage page = zorbit::NewPage("g.htm");
    const LinkImport imported = ImportLinks(ReadFavoritesFolder(folder));
    page.lines.insert(page.lines.end(), imported.lines.begin(), imported.lines.end());
    const zorbit::PageReading view = zorbit::ReadEditedPage(page);
    zorbit::LoadPluginEntries(view.menus, menus);
    return imported.links;
}

}  // namespace

#ifdef _WIN32

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const FavoritesFolder favorites(500);
    CBarMenuData menus;
    std::vector<double> times;
    size_t links = 0;
    for (int i = 0; i < 10; ++i) {
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        links = Import(favorites.path(), menus);
        QueryPerformanceCounter(&to);
        times.push_back(bench::Milliseconds(from, to, frequency));
    }
    const bench::Stats stats = bench::Summarise(times);
    std::printf("import of %zu favourites: best %.2f ms, median %.2f ms\n", links, stats.best, stats.median);
    return 0;
}

#else

void ImportFavorites(benchmark::State& state) {
    const FavoritesFolder favorites(static_cast<int>(state.range(0)));
    CBarMenuData menus;
    for (auto _ : state)
        benchmark::DoNotOptimize(Import(favorites.path(), menus));
}

BENCHMARK(ImportFavorites)->Arg(500)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

#endif

// Cost of the definition intake per definition size, against the cost of
// just reading the same file line by line. The ratio of the two should not
// grow with the size: the intake is linear in the file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"

namespace {

// A definition of `entries` entries as an HTML editor might write it: some
// menus one line per entry, others several entries on one long physical
// line inside a paragraph, with submenus, separators and column breaks.
std::string MakeDefinition(int entries) {
    std::string text =
        "<html>\r\n<head>\r\n<title>Generated menus</title>\r\n</head>\r\n<body>\r\n"
        "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"generated.htm\" width=\"2\" height=\"2\">\r\n";
    int made = 0;
    for (int menu = 0; made < entries; ++menu) {
        const bool oneLine = menu % 2 == 1;
        const char* gap = oneLine ? " " : "\r\n";
        text += oneLine ? "<p>" : "";
        text += "TITLE \"Menu " + std::to_string(menu) + "\"";
        ++made;
        for (int k = 0; k < 40 && made < entries; ++k, ++made) {
            text += gap;
            const int n = made;
            switch (k % 20) {
            case 5:
                text += "SUBMENU \"Group " + std::to_string(n) + "\"";
                break;
            case 11:
                text += "SEPARATOR";
                break;
            case 17:
                // A column break must start its line.
                text += "\r\nBREAK";
                break;
            default:
                text += "MENUITEM \"Page " + std::to_string(n) + ";https://example.org/pages/" + std::to_string(n) +
                        ".htm\"";
                break;
            }
            if (k % 20 == 10)
                text += std::string(gap) + "SUBMENU \"END\"";
        }
        text += std::string(gap) + "TITLE \"END\"" + (oneLine ? "<br></p>\r\n" : "\r\n");
    }
    return text + "</body>\r\n</html>\r\n";
}

// One generated file per size, written once and removed at exit.
const std::string& DefinitionFile(int entries) {
    static std::map<int, std::string> files;
    auto found = files.find(entries);
    if (found != files.end())
        return found->second;
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder && *folder ? folder : "/tmp") + "/zorbit-bench-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0)
        std::abort();
    const std::string text = MakeDefinition(entries);
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        std::abort();
    close(fd);
    static struct Cleanup {
        ~Cleanup() {
            for (const auto& file : files)
                std::remove(file.second.c_str());
        }
    } cleanup;
    return files.emplace(entries, path).first->second;
}

long FileBytes(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

void BM_Intake(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const std::string& path = DefinitionFile(entries);
    size_t built = 0;
    for (auto _ : state) {
        CIEMenuData lines;
        CBarMenuData menus;
        ReadDefinition(lines, path.c_str());
        lines.TransferTo(&menus);
        built = menus.definitionEntries.size();
        benchmark::DoNotOptimize(built);
    }
    state.counters["entries"] = static_cast<double>(built);
    state.SetItemsProcessed(state.iterations() * entries);
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
}

// TransferTo alone, from lines read once, with the entries it builds torn
// down again: what the menu model itself costs, whatever the reading does.
void BM_TransferOnly(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const std::string& path = DefinitionFile(entries);
    CIEMenuData lines;
    ReadDefinition(lines, path.c_str());
    for (auto _ : state) {
        CBarMenuData menus;
        lines.TransferTo(&menus);
        benchmark::DoNotOptimize(menus.definitionEntries.size());
    }
    state.SetItemsProcessed(state.iterations() * entries);
}

// Baseline: the same file read line by line in text mode, nothing else.
void BM_ReadLines(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const std::string& path = DefinitionFile(entries);
    char buffer[2048];
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "r");
        size_t count = 0;
        while (std::fgets(buffer, sizeof buffer, file))
            ++count;
        std::fclose(file);
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * entries);
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
}

}  // namespace

BENCHMARK(BM_Intake)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TransferOnly)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadLines)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

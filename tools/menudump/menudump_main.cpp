// menudump <definition file>...
// Reads each definition file as the plug-in does and prints its entries as
// an indented tree: items with their command identifier and address.
#include <cstdio>
#include <string>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"

namespace {

void PrintEntries(const CBarMenuData& menus) {
    for (size_t j = 0; j < menus.definitionEntries.size(); ++j) {
        const CItemData& entry = *menus.definitionEntries[j];
        const std::string indent(2 * static_cast<size_t>(entry.depth), ' ');
        switch (entry.kind) {
        case Title:
            std::printf("%s%s\n", indent.c_str(), entry.name.c_str());
            break;
        case Submenu:
            std::printf("%s%s >\n", indent.c_str(), entry.name.c_str());
            break;
        case Separator:
            std::printf("%s----------\n", indent.c_str());
            break;
        case Break:
            std::printf("%s|| new column\n", indent.c_str());
            break;
        default:
            std::printf("%s[%u] %s  %s\n", indent.c_str(),
                        static_cast<unsigned>(zorbit::DefinitionCommand(static_cast<uint32_t>(j))),
                        entry.name.empty() ? "(no caption)" : entry.name.c_str(),
                        entry.url.empty() ? "(no address)" : entry.url.c_str());
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <definition file>...\n", argv[0]);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        CIEMenuData lines;
        CBarMenuData menus;
        const int result = ReadDefinition(lines, argv[i]);
        lines.TransferTo(&menus);
        std::printf("%s: %s, %zu definition lines, %zu entries\n", argv[i],
                    result ? "read" : "could not be read", lines.Count(), menus.definitionEntries.size());
        if (!result)
            status = 1;
        PrintEntries(menus);
        if (i + 1 < argc)
            std::printf("\n");
    }
    return status;
}

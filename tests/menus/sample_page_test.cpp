#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "tests/menus/scratch_files.h"

namespace {

std::string SamplePage() {
#ifdef _WIN32
    // Under Wine the host's file system is drive Z:.
    return "Z:" ZORBIT_SOURCE_DIR "/product/Sample.htm";
#else
    return ZORBIT_SOURCE_DIR "/product/Sample.htm";
#endif
}

// The product's sample page is a definition as an HTML editor writes it;
// every line of it must come through as its author meant.
TEST(SamplePage, GivesFourMenusOfWorkingLinks) {
    CIEMenuData lines;
    CBarMenuData menus;
    ASSERT_EQ(1, ReadDefinition(lines, SamplePage().c_str())) << SamplePage();
    ASSERT_EQ(1, lines.TransferTo(&menus));

    std::vector<std::string> titles;
    int breaks = 0;
    int items = 0;
    for (size_t i = 0; i < menus.definitionEntries.size(); ++i) {
        const CItemData& entry = *menus.definitionEntries[i];
        SCOPED_TRACE("entry " + std::to_string(i) + ": " + std::string(entry.name));
        switch (entry.kind) {
        case Title:
            EXPECT_EQ(0, entry.depth);
            titles.emplace_back(entry.name);
            break;
        case Submenu:
            EXPECT_FALSE(entry.name.empty());
            EXPECT_EQ(1, entry.depth);
            break;
        case Item:
            ++items;
            EXPECT_FALSE(entry.name.empty());
            EXPECT_EQ(0u, std::string_view(entry.url).find("https://")) << entry.url;
            EXPECT_EQ(std::string::npos, std::string_view(entry.url).find_first_of(" \"")) << entry.url;
            EXPECT_GE(entry.depth, 1);
            EXPECT_LE(entry.depth, 2);
            break;
        case Break:
            ++breaks;
            EXPECT_EQ(1, entry.depth);
            break;
        default:
            EXPECT_EQ(Separator, entry.kind);
            break;
        }
    }
    EXPECT_EQ((std::vector<std::string>{"News", "Reference", "Search", "Developer"}), titles);
    EXPECT_EQ(1, breaks);
    EXPECT_GE(items, 30);
}

}  // namespace

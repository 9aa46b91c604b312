#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/document/page_trace.h"
#include "plugin/menus/definition_parser.h"
#include "plugin/menus/ie_menu_data.h"
#include "tests/menus/scratch_files.h"

namespace {

std::string SourcePath(const std::string& relative) {
#ifdef _WIN32
    return "Z:" ZORBIT_SOURCE_DIR "/" + relative;
#else
    return ZORBIT_SOURCE_DIR "/" + relative;
#endif
}

// The reading in memory gives the lines the plug-in reads from its work file.
void ExpectSameLines(const std::string& path) {
    SCOPED_TRACE(path);
    CIEMenuData parsed;
    ASSERT_EQ(1, ReadDefinition(parsed, path.c_str()));
    zorbit::detail::PageTrace trace;
    zorbit::detail::TracePage(scratch::ReadBytes(path), trace);
    ASSERT_EQ(parsed.Count(), trace.definitionLines.size());
    for (size_t k = 0; k < parsed.Count(); ++k) {
        const zorbit::detail::TracedLine& line = trace.lines[trace.definitionLines[k]];
        ASSERT_EQ(parsed.At(k).keyword, line.keyword) << "line " << k;
        ASSERT_EQ(parsed.At(k).text, line.quoted) << "line " << k;
    }
}

TEST(ReadingInMemory, GivesThePluginsLinesForTheCorpusAndTheProductPages) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(ZORBIT_SOURCE_DIR "/fuzz/corpus"))
        paths.push_back("fuzz/corpus/" + entry.path().filename().string());
    for (const char* page : {"BatchBM.htm", "TempBM.htm", "Template.htm", "Sample.htm", "WebSite.htm"})
        paths.push_back(std::string("product/") + page);
    ASSERT_GE(paths.size(), 10u);
    for (const std::string& path : paths)
        ExpectSameLines(SourcePath(path));

    // Chunk ends: a space carried over, a CR LF split, a long line of pieces.
    scratch::Folder folder;
    const std::string chunked = folder.File("chunked.htm");
    scratch::WriteBytes(chunked, "<embed>\r\n" + std::string(2046, 'x') + " TITLE \"A\"\r\n" +
                                     std::string(2047, 'y') + "\r\nMENUITEM \"" + std::string(900, 'z') +
                                     ";z\" SEPARATOR\r\r\n MENUITEM \"a b;\" TITLE \"X\"\x1aTITLE \"B\"");
    ExpectSameLines(chunked);
}

}  // namespace

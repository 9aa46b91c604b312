#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/menus/text_mode_reader.h"
#include "tests/menus/scratch_files.h"

namespace {

std::vector<std::string> ReadAll(const std::string& path, size_t maxChars) {
    TextModeReader reader(path.c_str());
    EXPECT_TRUE(reader.IsOpen()) << path;
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line, maxChars))
        lines.push_back(line);
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(reader.Failed());
    return lines;
}

struct ReaderCase {
    std::string bytes;
    size_t maxChars;
    std::vector<std::string> lines;
};

TEST(TextModeReader, ReadsAsTheWindowsRuntimeReadsATextModeFile) {
    const ReaderCase cases[] = {
        {"a\r\nb\r\n", 100, {"a\n", "b\n"}},
        {"a\nb", 100, {"a\n", "b"}},
        {"a\rb\n", 100, {"a\rb\n"}},         // a lone CR stays
        {"a\r\r\nb", 100, {"a\r\n", "b"}},   // only the CR right before LF goes
        {"a\r", 100, {"a\r"}},
        {"\n\r\n\n", 100, {"\n", "\n", "\n"}},
        {"ab\x1a" "cd\n", 100, {"ab"}},       // Ctrl-Z ends the file
        {"ab\n\x1a\n", 100, {"ab\n"}},
        {"\x1a" "abc", 100, {}},
        {"\r\x1a\n", 100, {"\r"}},
        {"abcdefg\n", 3, {"abc", "def", "g\n"}},
        {"abc\r\nd", 3, {"abc", "\n", "d"}},   // CR LF counts as one character
        {"ab\r\ncd", 3, {"ab\n", "cd"}},
        {std::string("a\0b\n", 4), 100, {std::string("a\0b\n", 4)}},
        {"", 100, {}},
    };
    scratch::Folder folder;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + scratch::Visible(cases[i].bytes));
        const std::string path = folder.File("case.txt");
        scratch::WriteBytes(path, cases[i].bytes);
        EXPECT_EQ(cases[i].lines, ReadAll(path, cases[i].maxChars));
    }
}

TEST(TextModeReader, JoinsCarriageReturnAndLineFeedAcrossItsBuffer) {
    scratch::Folder folder;
    const std::string path = folder.File("long.txt");
    for (size_t before : {65535u, 65536u, 65534u}) {
        SCOPED_TRACE("characters before CR LF: " + std::to_string(before));
        scratch::WriteBytes(path, std::string(before, 'a') + "\r\nb\r\r\n");
        const std::vector<std::string> expected = {std::string(before, 'a') + "\n", "b\r\n"};
        EXPECT_EQ(expected, ReadAll(path, 1u << 20));
    }
}

TEST(TextModeReader, MissingFileIsNotOpen) {
    scratch::Folder folder;
    for (const char* path : {static_cast<const char*>(nullptr), "", "no such file.txt"}) {
        SCOPED_TRACE(path ? path : "(null)");
        TextModeReader reader(path ? (*path ? folder.File(path).c_str() : path) : path);
        EXPECT_FALSE(reader.IsOpen());
        std::string line = "old";
        EXPECT_FALSE(reader.ReadLine(line, 10));
        EXPECT_EQ("", line);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "plugin/menus/definition_parser.h"
#include "tests/menus/scratch_files.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace {

TEST(IsBreakMarker, TwelveMarkersAnywhereInTheWindowCaseSensitive) {
    const struct {
        const char* window;
        bool accepted;
    } cases[] = {
        {" MENUITEM ", true},   {" SEPARATOR", true}, {" SUBMENU \"", true}, {" TITLE \"Re", true},
        {" </body>", true},     {" <body>", true},    {" </html>", true},    {" <html>", true},
        {" <title>", true},     {" </title>", true},  {" </p>", true},       {" <meta name", true},
        {" x</p>", true},       {" \"a\" TITLE", true},
        {" BREAK", false},      {" menuitem", false}, {" <BODY>", false},    {" <p>", false},
        {" SEPARATO", false},   {" TITL", false},     {" <head>", false},    {" <met", false},
        {" ", false},           {"", false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": \"" + cases[i].window + "\"");
        EXPECT_EQ(cases[i].accepted, IsBreakMarker(cases[i].window));
    }
}

// Each test gets its own temporary folder for the work file.
class WorkFile : public ::testing::Test {
protected:
    scratch::Folder temp_;
    scratch::Folder sources_;
    scratch::Folder current_;
    scratch::TempFolderOverride override_{temp_.Path()};

    // The work file made from `source`, read byte for byte, then deleted.
    std::string Normalised(const std::string& source) {
        const std::string path = sources_.File("definition.htm");
        scratch::WriteBytes(path, source);
        std::string name = "stale";
        EXPECT_EQ(1, CopyToWorkFile(path.c_str(), name));
        EXPECT_EQ(1u, temp_.List().size());
        const std::string bytes = scratch::ReadBytes(name);
        EXPECT_EQ(0, std::remove(name.c_str())) << name;
        return bytes;
    }
};

TEST_F(WorkFile, LineBreakBeforeEverySpaceWhoseWindowHoldsAMarker) {
    const struct {
        std::string source;
        std::string work;
    } cases[] = {
        {"TITLE \"A\" MENUITEM \"B;b\"\n", "TITLE \"A\"\r\n  MENUITEM \"B;b\"\n"},
        {"TITLE \"A\"\r\nSEPARATOR\r\n", "TITLE \"A\"\nSEPARATOR\n"},
        {" TITLE \"A\"", "\r\n  TITLE \"A\""},
        {"a SEPARATOR", "a\r\n  SEPARATOR"},
        {"a SEPARATO", "a SEPARATO"},
        {"MENUITEM \"a;b\" BREAK SUBMENU \"s\"", "MENUITEM \"a;b\" BREAK\r\n  SUBMENU \"s\""},
        {"a xyzTITLE", "a\r\n  xyzTITLE"},
        {"a wxyzTITLE", "a\r\n  wxyzTITLE"},
        {"a vwxyzTITLE", "a vwxyzTITLE"},
        {"a  TITLE", "a\r\n  \r\n  TITLE"},
        {"<p>x</p> <p>y</p>\n", "<p>x</p>\r\n  <p>y</p>\n"},
        {"<html> <head> <title>T</title> </head> <body>\n",
         "<html> <head>\r\n  <title>T</title> </head>\r\n  <body>\n"},
        {"x <meta a> <BODY> y title TITLE\n", "x\r\n  <meta a> <BODY> y title\r\n  TITLE\n"},
        {"a\rb TITLE\r\r\n", "a\rb\r\n  TITLE\r\n"},
        {std::string("a\0 TITLE\n", 9), std::string("a\0\r\n  TITLE\n", 12)},
        {"plain text\n", "plain text\n"},
        {"", ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + scratch::Visible(cases[i].source));
        EXPECT_EQ(scratch::Visible(cases[i].work), scratch::Visible(Normalised(cases[i].source)));
    }
}

TEST_F(WorkFile, LongLinesAreCopiedInChunksOf2047Characters) {
    const std::string x2046(2046, 'x');
    const struct {
        std::string source;
        std::string work;
    } cases[] = {
        // A space at the end of a chunk is written twice, and a keyword right
        // after it still gets its line break.
        {x2046 + " TITLE \"T\"\n", x2046 + " \r\n  TITLE \"T\"\n"},
        {x2046 + " abc\n", x2046 + "  abc\n"},
        {x2046 + " \r\nTITLE", x2046 + "  \nTITLE"},
        // A keyword split across two chunks gets no line break.
        {std::string(2043, 'x') + " TITLE \"T\"\n", std::string(2043, 'x') + " TITLE \"T\"\n"},
        {std::string(2038, 'x') + " SEPARATOR\n", std::string(2038, 'x') + " SEPARATOR\n"},
        // Wholly inside the first chunk, it does.
        {std::string(2037, 'x') + " SEPARATOR\n", std::string(2037, 'x') + "\r\n  SEPARATOR\n"},
        {std::string(2041, 'x') + " TITLE\n", std::string(2041, 'x') + "\r\n  TITLE\n"},
        // A lone CR is a character like any other.
        {"\r" + std::string(2037, 'x') + " SEPARATOR\n", "\r" + std::string(2037, 'x') + " SEPARATOR\n"},
        // The second chunk starts after 2047 characters, whatever they hold.
        {std::string(4094, 'y') + " TITLE", std::string(4094, 'y') + "\r\n  TITLE"},
        {std::string(4092, 'y') + " TITLE", std::string(4092, 'y') + " TITLE"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_EQ(scratch::Visible(cases[i].work), scratch::Visible(Normalised(cases[i].source)));
    }
}

TEST_F(WorkFile, ChunksAreTheSameWhereTheSourceIsReadInSeveralBlocks) {
    // The source is read 65,536 bytes at a time: CR LF, a long line, a carried
    // space and a keyword are put across that boundary, one shift at a time.
    const std::string x2046(2046, 'x');
    const struct {
        std::string source;
        std::string work;
    } cases[] = {
        {"ab\r\ncd\r\r\nTITLE \"T\" TITLE\r\n", "ab\ncd\r\nTITLE\r\n  \"T\"\r\n  TITLE\n"},
        {x2046 + " TITLE \"T\"\r\n", x2046 + " \r\n  TITLE \"T\"\n"},
        {x2046 + "yy\r\n\x1a TITLE", x2046 + "yy\n"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        for (size_t shift = 1; shift <= 12; ++shift) {
            SCOPED_TRACE("case " + std::to_string(i) + ", shift " + std::to_string(shift));
            const std::string filler = std::string(65536 - shift - 2, 'f') + "\r\n";
            const std::string work = Normalised(filler + cases[i].source);
            EXPECT_EQ(scratch::Visible(cases[i].work), scratch::Visible(work.substr(std::min(work.size(), filler.size() - 1))));
            EXPECT_EQ(std::string(65536 - shift - 2, 'f') + "\n", work.substr(0, filler.size() - 1));
        }
    }
}

TEST_F(WorkFile, GetsAUniqueNameInTheTemporaryFolder) {
    scratch::CurrentDirectory cd(current_.Path());
    const std::string path = sources_.File("definition.htm");
    scratch::WriteBytes(path, "<embed>\nTITLE \"A\"\n");

    std::string first;
    std::string second;
    ASSERT_EQ(1, CopyToWorkFile(path.c_str(), first));
    ASSERT_EQ(1, CopyToWorkFile(path.c_str(), second));
    EXPECT_NE(first, second);
    EXPECT_EQ(2u, temp_.List().size());
    EXPECT_TRUE(current_.List().empty());
    for (const std::string& name : {first, second}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(temp_.Path(), scratch::fs::path(name).parent_path().string());
        EXPECT_EQ("<embed>\nTITLE \"A\"\n", scratch::ReadBytes(name));
        EXPECT_EQ(0, std::remove(name.c_str()));
    }
}

TEST_F(WorkFile, FailsWithoutAWorkFileWhenTheSourceCannotBeRead) {
    const std::string missing = sources_.File("missing.htm");
    for (const char* source : {static_cast<const char*>(nullptr), "", missing.c_str()}) {
        SCOPED_TRACE(source ? source : "(null)");
        std::string name = "stale";
        EXPECT_EQ(0, CopyToWorkFile(source, name));
        EXPECT_EQ("", name);
        EXPECT_TRUE(temp_.List().empty());
    }
}

TEST_F(WorkFile, FailsWhenTheTemporaryFolderIsUnusable) {
    const std::string path = sources_.File("definition.htm");
    scratch::WriteBytes(path, "<embed>\nTITLE \"A\"\n");
    scratch::TempFolderOverride gone(temp_.File("no such folder"));
    std::string name = "stale";
    EXPECT_EQ(0, CopyToWorkFile(path.c_str(), name));
    EXPECT_EQ("", name);
    EXPECT_TRUE(temp_.List().empty());
}

#ifndef _WIN32
// A file size limit makes writing the work file fail part way; the copy must
// then report failure and leave no partial work file behind.
TEST_F(WorkFile, FailsAndRemovesTheWorkFileWhenItCannotBeWritten) {
    const std::string path = sources_.File("definition.htm");
    scratch::WriteBytes(path, "<embed>\n" + std::string(200000, 'x') + "\nTITLE \"A\"\n");
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    std::string name = "stale";
    const int result = CopyToWorkFile(path.c_str(), name);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(0, result);
    EXPECT_EQ("", name);
    EXPECT_TRUE(temp_.List().empty());
}
#endif

}  // namespace

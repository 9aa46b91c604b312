#include <gtest/gtest.h>

#include <string>

#include "plugin/menus/pase_data.h"

namespace {

struct LineCase {
    const char* line;
    bool classified;
    const char* keyword;
    const char* text;
};

TEST(ClassifyAndExtract, FirstKeywordInFixedOrderAndTextBetweenOutermostQuotes) {
    const LineCase cases[] = {
        {"TITLE \"Reading\"\n", true, "TITLE", "Reading"},
        {"MENUITEM \"Daily news;news.htm\"\n", true, "MENUITEM", "Daily news;news.htm"},
        {"  SUBMENU \"END\"</p>\n", true, "SUBMENU", "END"},
        {"SEPARATOR\n", true, "SEPARATOR", ""},
        {"<p>SEPARATOR \"ignored\"", true, "SEPARATOR", "ignored"},
        {"BREAK \"not taken\"\n", true, "BREAK", ""},
        // The order, not the position, decides.
        {"MENUITEM \"Help;help.htm\" BREAK\n", true, "MENUITEM", "Help;help.htm"},
        {"BREAK SEPARATOR\n", true, "SEPARATOR", ""},
        {"MENUITEM \"SUBTITLES;subs.htm\"\n", true, "TITLE", "SUBTITLES;subs.htm"},
        {"SEPARATOR SUBMENU \"x\"", true, "SUBMENU", "x"},
        {"xxMENUITEMxx\"a;b\"", true, "MENUITEM", "a;b"},
        // Case matters; nothing else counts as a keyword.
        {"menuitem \"a;b\"\n", false, "", ""},
        {"Title \"x\"\n", false, "", ""},
        {"TITL \"x\"\n", false, "", ""},
        {"\n", false, "", ""},
        {"", false, "", ""},
        // Quotes.
        {"MENUITEM \"Say \"hi\";hi.htm\"\n", true, "MENUITEM", "Say \"hi\";hi.htm"},
        {"MENUITEM \"open\n", true, "MENUITEM", ""},
        {"MENUITEM open\n", true, "MENUITEM", ""},
        {"MENUITEM \"\"\n", true, "MENUITEM", ""},
        {"TITLE \"a\" and \"b\"\n", true, "TITLE", "a\" and \"b"},
        {"\"pre\" TITLE \"post\"", true, "TITLE", "pre\" TITLE \"post"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].line);
        CPaseData data;
        EXPECT_EQ(cases[i].classified, data.ClassifyLine(cases[i].line));
        EXPECT_EQ(cases[i].keyword, data.keyword);
        if (cases[i].classified)
            data.ExtractText(cases[i].line);
        EXPECT_EQ(cases[i].text, data.text);
    }
}

TEST(ClassifyAndExtract, UnclassifiedLineLeavesKeywordAsItWas) {
    CPaseData data;
    data.keyword = "TITLE";
    EXPECT_FALSE(data.ClassifyLine("no keyword here\n"));
    EXPECT_EQ("TITLE", data.keyword);
}

TEST(ClassifyAndExtract, BreakLineKeepsItsText) {
    CPaseData data;
    ASSERT_TRUE(data.ClassifyLine("BREAK \"x\"\n"));
    data.text = "kept";
    data.ExtractText("BREAK \"x\"\n");
    EXPECT_EQ("kept", data.text);
}

}  // namespace

// A page saved under another name names itself in its embed tag.
#include <gtest/gtest.h>

#include <string>

#include "editor/document/embed_target.h"

namespace {

TEST(EmbedTarget, ACopyNamesItselfInItsEmbedTag) {
    struct Case {
        std::string preamble, oldName, newName;
        bool changed;
        std::string after;
    } cases[] = {
        {"<p>x</p>\n<embed type=\"t\" filename=\"TempBM.htm\" width=\"2\">\n<pre>\n", "TempBM.htm", "Mine.htm", true,
         "<p>x</p>\n<embed type=\"t\" filename=\"Mine.htm\" width=\"2\">\n<pre>\n"},
        // Letter case and a folder part, single quotes, no quotes.
        {"<embed filename='menus\\tempbm.HTM'>", "TempBM.htm", "Mine.htm", true, "<embed filename='menus\\Mine.htm'>"},
        {"<embed filename=TempBM.htm width=2>", "TempBM.htm", "Mine.htm", true, "<embed filename=Mine.htm width=2>"},
        // A tag that names another file, and a filename on a later line, stay.
        {"<embed filename=\"menus.zbx\">", "TempBM.htm", "Mine.htm", false, "<embed filename=\"menus.zbx\">"},
        {"<embed src=\"x\">\n<p filename=\"TempBM.htm\">", "TempBM.htm", "Mine.htm", false,
         "<embed src=\"x\">\n<p filename=\"TempBM.htm\">"},
        {"<EMBED filename=\"TempBM.htm\">", "TempBM.htm", "Mine.htm", false, "<EMBED filename=\"TempBM.htm\">"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        std::string preamble = cases[i].preamble;
        EXPECT_EQ(cases[i].changed, RetargetEmbed(preamble, cases[i].oldName, cases[i].newName));
        EXPECT_EQ(cases[i].after, preamble);
    }
}

}  // namespace

// The page scanner, address resolution and command line of the host.
#include <gtest/gtest.h>

#include "tools/browser/command_line.h"
#include "tools/browser/page_parser.h"
#include "tools/browser/url_resolver.h"

using namespace zorbit::browser;

TEST(PageParser, EmbedAttributesAsWritten) {
    PageContent page = ParsePage(
        "<html><head><TITLE> My  Page </TITLE></head><body><p>Hello <b>there</b></p>"
        "<EMBED Type=\"application/x-zorbit-test\" FileName='Menus\\Top.zbx' width=300 height=\"50%\" hidden>"
        "<embed src=a.zbt /><embed src=b/><!-- <embed type=no> --></body></html>");
    EXPECT_EQ("My Page", page.title);
    EXPECT_EQ("Hello there", page.text);
    ASSERT_EQ(3u, page.embeds.size());
    const auto& a = page.embeds[0].attributes;
    ASSERT_EQ(5u, a.size());
    EXPECT_EQ("Type", a[0].first);
    EXPECT_EQ("application/x-zorbit-test", a[0].second);
    EXPECT_EQ("FileName", a[1].first);
    EXPECT_EQ("Menus\\Top.zbx", a[1].second);
    EXPECT_EQ("300", a[2].second);
    EXPECT_EQ("50%", a[3].second);
    EXPECT_EQ("hidden", a[4].first);
    EXPECT_EQ("", a[4].second);
    EXPECT_EQ("Menus\\Top.zbx", page.embeds[0].Attribute("filename"));
    EXPECT_EQ("a.zbt", page.embeds[1].Attribute("SRC"));
    // An unquoted value runs to the next blank or '>', as in browsers.
    EXPECT_EQ("b/", page.embeds[2].Attribute("src"));
}

TEST(PageParser, TextLinesAndUnterminatedInput) {
    PageContent page = ParsePage("<h1>Title</h1>one<br>two &amp; three<pre>a\n  b</pre><embed type=\"x");
    EXPECT_EQ("Title\r\n\r\none\r\ntwo & three\r\n\r\na\r\n  b", page.text);
    ASSERT_EQ(1u, page.embeds.size());
    EXPECT_EQ("x", page.embeds[0].Attribute("type"));
    EXPECT_TRUE(ParsePage("").embeds.empty());
    EXPECT_TRUE(ParsePage("<").text == "<");
}

TEST(UrlResolver, LocalFormsAndRemote) {
    static const struct {
        const char* url;
        const char* expected;
    } kCases[] = {
        {"menu.zbx", "C:\\site\\menu.zbx"},
        {"Menus\\Top.zbx", "C:\\site\\Menus\\Top.zbx"},
        {"sub/../menu.zbx", "C:\\site\\menu.zbx"},
        {"./a/./b.htm#part", "C:\\site\\a\\b.htm"},
        {"..\\..\\..\\x.htm", "C:\\x.htm"},
        {"\\root.htm", "C:\\root.htm"},
        {"D:\\other\\p.htm", "D:\\other\\p.htm"},
        {"d:/other/p.htm", "d:\\other\\p.htm"},
        {"file:///C|/dir/My%20Page.htm", "C:\\dir\\My Page.htm"},
        {"file:///C:/dir/p.htm?x=1", "C:\\dir\\p.htm"},
        {"file:///C:\\dir\\p.htm", "C:\\dir\\p.htm"},
        {"file://C:/dir/p.htm", "C:\\dir\\p.htm"},
        {"file:/C|/dir/p.htm", "C:\\dir\\p.htm"},
        {"FILE:rel.htm", "C:\\site\\rel.htm"},
        {"\\\\server\\share\\p.htm", "\\\\server\\share\\p.htm"},
        {"http://example.com/a.htm", ""},
        {"HTTPS://example.com/", ""},
        {"mailto:someone@example.com", ""},
        {"javascript:void(0)", ""},
        {"", ""},
    };
    for (size_t i = 0; i < sizeof kCases / sizeof kCases[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kCases[i].expected, ResolveLocalPath(kCases[i].url, "C:\\site"));
    }
    EXPECT_TRUE(IsRemoteUrl("ftp://x"));
    EXPECT_FALSE(IsRemoteUrl("C:\\x"));
    EXPECT_FALSE(IsRemoteUrl("file:///C:/x"));
    EXPECT_EQ("file:///C:/dir/a.htm", FileUrlFor("C:\\dir\\a.htm"));
    EXPECT_EQ("C:\\site", DirectoryOf("C:\\site\\page.htm"));
    EXPECT_EQ("C:", DirectoryOf("C:\\page.htm"));
}

TEST(CommandLine, OptionsAndPageForms) {
    static const struct {
        const char* args;
        const char* plugins;
        const char* log;
        const char* page;
    } kCases[] = {
        {"", "", "", ""},
        {" \"C:\\Program Files\\Zorbit\\BatchBM.htm\"", "", "", "C:\\Program Files\\Zorbit\\BatchBM.htm"},
        {" C:\\Program Files\\Zorbit\\BatchBM.htm ", "", "", "C:\\Program Files\\Zorbit\\BatchBM.htm"},
        {" file:///C:/dir/p.htm", "", "", "file:///C:/dir/p.htm"},
        {" -plugins \"C:\\my plugins\" -log out.log page.htm", "C:\\my plugins", "out.log", "page.htm"},
        {" -LOG x.log", "", "x.log", ""},
        {" -pluginsx page.htm", "", "", "-pluginsx page.htm"},
    };
    for (size_t i = 0; i < sizeof kCases / sizeof kCases[0]; ++i) {
        SCOPED_TRACE(i);
        CommandLine c = ParseArguments(kCases[i].args);
        EXPECT_EQ(kCases[i].plugins, c.pluginDir);
        EXPECT_EQ(kCases[i].log, c.logFile);
        EXPECT_EQ(kCases[i].page, c.page);
    }
    EXPECT_EQ(" \"a b\"", SkipProgramName("\"C:\\IE dir\\iexplore.exe\" \"a b\""));
    EXPECT_EQ(" page.htm", SkipProgramName("browser.exe page.htm"));
    EXPECT_EQ("", SkipProgramName("browser.exe"));
}

TEST(PageParser, EveryCutOfAPageIsReadSafely) {
    const std::string page =
        "<html><head><title>T &amp; U</title><style>p{}</style></head><body><!-- note -->"
        "<p>Text <a href='x.htm'>link</a></p><pre>  pre\n text</pre>"
        "<embed type=\"application/x-zorbit-test\" filename='menu.zbx' width=10 height=\"20\" flag>"
        "<script>var a = '<embed>';</script><embed src=a.zbt></body></html>";
    for (size_t n = 0; n <= page.size(); ++n) {
        SCOPED_TRACE(n);
        PageContent content = ParsePage(page.substr(0, n));
        EXPECT_LE(content.embeds.size(), 2u);
    }
    PageContent whole = ParsePage(page);
    EXPECT_EQ("T & U", whole.title);
    ASSERT_EQ(2u, whole.embeds.size());
    EXPECT_EQ("20", whole.embeds[0].Attribute("height"));
}

TEST(UrlResolver, EveryCutOfAnAddressIsResolvedSafely) {
    const std::string urls[] = {"file:///C|/dir/My%20Page.htm?q#f", "\\\\server\\share\\dir\\..\\p.htm",
                                "../../a/./b/%4", "http://example.com/%zz"};
    for (const auto& url : urls) {
        for (size_t n = 0; n <= url.size(); ++n) {
            SCOPED_TRACE(url.substr(0, n));
            std::string path = ResolveLocalPath(url.substr(0, n), "C:\\site\\sub");
            EXPECT_EQ(std::string::npos, path.find('/'));
        }
    }
}

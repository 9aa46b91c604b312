// The user's Favorites and bookmarks made into menus: hand-made folders and
// files in, the definition out byte for byte, every change listed.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/document/entry_clipboard.h"
#include "editor/document/link_import.h"
#include "tests/menus/scratch_files.h"

namespace {

std::string DefinitionText(const DefinitionLines& lines) {
    std::string text;
    for (const zorbit::DefinitionLine& line : lines)
        text += zorbit::ComposeLine(line) + "\r\n";
    return text;
}

void ExpectImport(const LinkImport& imported, const std::string& definition, const std::vector<std::string>& changes,
                  size_t links) {
    EXPECT_EQ(scratch::Visible(definition), scratch::Visible(DefinitionText(imported.lines)));
    EXPECT_EQ(changes, imported.changes);
    EXPECT_EQ(links, imported.links);
    EXPECT_TRUE(LinesFromText(DefinitionText(imported.lines)) == imported.lines) << "the plug-in reads them back";
}

std::string Shortcut(const std::string& url) {
    return "[DEFAULT]\r\nBASEURL=" + url + "\r\n[InternetShortcut]\r\nURL=" + url + "\r\nIconIndex=0\r\n";
}

TEST(LinkImport, FavoritesFolderBecomesTitlesAndSubmenus) {
    scratch::Folder folder;
    const std::string root = folder.File("Favorites");
    const std::vector<std::pair<std::string, std::string>> files = {
        {"END/Inside.url", Shortcut("http://end.example/")},
        {"Links/Caf\xE9 de Paris.url", Shortcut("http://cafe.example/")},
        {"Links/Deep/Old TITLE page.url", Shortcut("http://old.example/")},
        {"News/Daily; news.url", Shortcut("http://news.example/?a=1&b=2")},
        {"News/empty.url", "[InternetShortcut]\r\n"},
        {"News/notes.txt", "not a link"},
        {"b-link.url", "[internetshortcut]\nurl = file:///C:/x/b.htm\n"},
        {"A link.url", Shortcut("http://a.example/")},
    };
    // Names in the page's 8-bit text, as the platform's narrow calls take them.
    for (const auto& [name, bytes] : files) {
        std::filesystem::create_directories(std::filesystem::path(root) / name.substr(0, name.rfind('/') + 1));
        scratch::WriteBytes(root + "/" + name, bytes);
    }

    ExpectImport(ImportLinks(ReadFavoritesFolder(root)),
                 "TITLE \"End\"\r\n"
                 "MENUITEM \"Inside;http://end.example/\"\r\n"
                 "TITLE \"END\"\r\n"
                 "TITLE \"Links\"\r\n"
                 "SUBMENU \"Deep\"\r\n"
                 "MENUITEM \"Old title page;http://old.example/\"\r\n"
                 "SUBMENU \"END\"\r\n"
                 "MENUITEM \"Caf\xE9 de Paris;http://cafe.example/\"\r\n"
                 "TITLE \"END\"\r\n"
                 "TITLE \"News\"\r\n"
                 "MENUITEM \"Daily, news;http://news.example/?a=1&b=2\"\r\n"
                 "TITLE \"END\"\r\n"
                 "TITLE \"Favorites\"\r\n"
                 "MENUITEM \"A link;http://a.example/\"\r\n"
                 "MENUITEM \"b-link;file:///C:/x/b.htm\"\r\n"
                 "TITLE \"END\"\r\n",
                 {"END: caption stored as \"End\".",
                  "Links > Deep > Old TITLE page: caption stored as \"Old title page\".",
                  "News > Daily; news: caption stored as \"Daily, news\".",
                  "News > empty: left out, it has no address."},
                 6);
}

TEST(LinkImport, BookmarkFileKeepsItsOrderAndSeparators) {
    const std::string html =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
        "<!-- This is an automatically generated file. -->\r\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
        "<TITLE>Bookmarks</TITLE>\r\n"
        "<H1>Bookmarks for Ren&#233;e</H1>\r\n\r\n"
        "<DL><p>\r\n"
        "    <DT><H3 ADD_DATE=\"977\" FOLDED>Travel &amp; Maps</H3>\r\n"
        "    <DL><p>\r\n"
        "        <DT><A HREF=\"http://maps.example/?q=a&amp;b\" ADD_DATE=\"1\">Maps</A>\r\n"
        "        <HR>\r\n"
        "        <DT><H3>Trains</H3>\r\n"
        "        <DL><p>\r\n"
        "            <DT><A HREF=\"http://rail.example/\">Z&#252;rich\r\n   &lt;HB&gt;</A>\r\n"
        "        </DL><p>\r\n"
        "    </DL><p>\r\n"
        "    <DT><A HREF=\"http://news.example/\">MENUITEM news</A>\r\n"
        "    <DT><a href='relative.htm'>Local \"page\"</a>\r\n"
        "    <DT><A>No address</A>\r\n"
        "    <DT><H3>Empty</H3>\r\n"
        "    <DL><p>\r\n"
        "    </DL><p>\r\n"
        "</DL><p>\r\n";
    ExpectImport(ImportLinks(ReadBookmarkFile(html)),
                 "TITLE \"Travel & Maps\"\r\n"
                 "MENUITEM \"Maps;http://maps.example/?q=a&b\"\r\n"
                 "SEPARATOR\r\n"
                 "SUBMENU \"Trains\"\r\n"
                 "MENUITEM \"Z\xFCrich <HB>;http://rail.example/\"\r\n"
                 "SUBMENU \"END\"\r\n"
                 "TITLE \"END\"\r\n"
                 "TITLE \"Empty\"\r\n"
                 "TITLE \"END\"\r\n"
                 "TITLE \"Bookmarks for Ren\xE9" "e\"\r\n"
                 "MENUITEM \"menuitem news;http://news.example/\"\r\n"
                 "MENUITEM \"Local \"page\";relative.htm\"\r\n"
                 "TITLE \"END\"\r\n",
                 {"Bookmarks for Ren\xE9" "e > MENUITEM news: caption stored as \"menuitem news\".",
                  "Bookmarks for Ren\xE9" "e > No address: left out, it has no address."},
                 4);
}

}  // namespace

// The user's own links made into menus: an Internet Explorer Favorites
// folder (a tree of folders and .url files) or a Netscape bookmark file.
// Folders become titles at the top and submenus below; links become items.
//
// Typical use:
//   LinkImport imported = ImportLinks(ReadFavoritesFolder(path));
//   ... lines.insert(lines.end(), imported.lines ...), show imported.changes
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/document/line_edits.h"

// A folder of links, or one link, or a separator line, as the user keeps them.
struct LinkNode {
    enum Kind { Folder, Link, Separator };
    Kind kind = Folder;
    std::string name;
    std::string address;  // Link only
    std::vector<LinkNode> children;  // Folder only, in the order shown
};

// The Favorites folder at `path` as the browser shows it: subfolders first,
// then links, each by name without regard to case. A link's name is its
// file's name without ".url", its address the URL of the file's
// [InternetShortcut] section. The root is named after the folder; a folder
// that cannot be read is empty.
LinkNode ReadFavoritesFolder(const std::string& path);

// The folders and links of a Netscape bookmark file (<H3> folders, <A HREF>
// links, <HR> separators, character references decoded), in the file's
// order. The root is named after the file's <H1> heading.
LinkNode ReadBookmarkFile(std::string_view html);

struct LinkImport {
    // Whole titles, ready to go after a page's last line.
    DefinitionLines lines;
    // Every place where the menus differ from the user's links, in plain
    // words: captions changed to be stored, links left out.
    std::vector<std::string> changes;
    size_t links = 0;  // the items made
};

// The menus of a tree of links. Folders at the top become titles and the
// links at the top a title named after the root; deeper folders become
// submenus. A caption the plug-in would read differently is changed as
// little as possible (NearestStorable); a link without an address is left
// out. Each is listed in `changes`.
LinkImport ImportLinks(const LinkNode& root);

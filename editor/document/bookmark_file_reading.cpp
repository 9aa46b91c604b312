// A Netscape bookmark file read into a tree of links: <DT><H3>folder</H3>
// opens the <DL> that follows it, <DT><A HREF="...">name</A> is a link,
// <HR> a separator line.
#include <cctype>
#include <cstdlib>

#include "editor/document/letter_case.h"
#include "editor/document/link_import.h"

namespace {

// Character references the bookmark writers use; one that names a
// character above 255 stays as written, the page's text being 8-bit.
std::string Decoded(std::string_view text) {
    static const struct { const char* name; char c; } kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", '\xA0'},
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos || semicolon - i > 8) {
            out += text[i];
            continue;
        }
        const std::string name(text.substr(i + 1, semicolon - i - 1));
        int code = -1;
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            char* end = nullptr;
            const long value = std::strtol(name.c_str() + (hex ? 2 : 1), &end, hex ? 16 : 10);
            if (end && *end == '\0' && value > 0 && value < 256)
                code = static_cast<int>(value);
        } else {
            for (const auto& named : kNamed) {
                if (name == named.name)
                    code = static_cast<unsigned char>(named.c);
            }
        }
        if (code < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char>(code);
        i = semicolon;
    }
    return out;
}

// The text up to the closing tag, its tags left out, its blanks made one.
std::string TextUntil(std::string_view html, size_t& at, std::string_view closing) {
    size_t end = FindLetters(html, closing, at);
    if (end == std::string_view::npos)
        end = html.size();
    std::string text;
    bool inTag = false;
    for (size_t i = at; i < end; ++i) {
        const char c = html[i];
        if (c == '<' || c == '>') {
            inTag = c == '<';
        } else if (!inTag) {
            const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
            if (!blank)
                text += c;
            else if (!text.empty() && text.back() != ' ')
                text += ' ';
        }
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    at = end;
    return Decoded(text);
}

std::string Attribute(std::string_view tag, std::string_view name) {
    for (size_t at = FindLetters(tag, name); at != std::string_view::npos; at = FindLetters(tag, name, at + 1)) {
        const bool start = at > 0 && std::isspace(static_cast<unsigned char>(tag[at - 1]));
        size_t i = at + name.size();
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        if (!start || i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        const char quote = i < tag.size() && (tag[i] == '"' || tag[i] == '\'') ? tag[i] : '\0';
        const size_t begin = quote ? i + 1 : i;
        const size_t end = quote ? tag.find(quote, begin) : tag.find_first_of(" >", begin);
        return Decoded(tag.substr(begin, (end == std::string_view::npos ? tag.size() : end) - begin));
    }
    return std::string();
}

}  // namespace

LinkNode ReadBookmarkFile(std::string_view html) {
    LinkNode root;
    root.name = "Bookmarks";
    std::vector<LinkNode*> open;
    bool folderNamed = false;  // the last child of the open folder waits for its <DL>
    const auto current = [&]() { return open.empty() ? &root : open.back(); };
    for (size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at)) {
        const size_t close = html.find('>', at);
        if (close == std::string_view::npos)
            break;
        const std::string_view tag = html.substr(at, close - at + 1);
        size_t nameEnd = 1;
        while (nameEnd < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[nameEnd])) || tag[nameEnd] == '/'))
            ++nameEnd;
        const std::string_view name = tag.substr(1, nameEnd - 1);
        at = close + 1;
        if (SameLetters(name, "H1")) {
            root.name = TextUntil(html, at, "</H1");
        } else if (SameLetters(name, "H3")) {
            LinkNode folder;
            folder.name = TextUntil(html, at, "</H3");
            current()->children.push_back(std::move(folder));
            folderNamed = true;
        } else if (SameLetters(name, "DL")) {
            // The first list is the root's; a list without a heading adds to the open one.
            if (folderNamed)
                open.push_back(&current()->children.back());
            else
                open.push_back(current());
            folderNamed = false;
        } else if (SameLetters(name, "/DL")) {
            if (!open.empty())
                open.pop_back();
        } else if (SameLetters(name, "A")) {
            LinkNode link;
            link.kind = LinkNode::Link;
            link.address = Attribute(tag, "HREF");
            link.name = TextUntil(html, at, "</A");
            current()->children.push_back(std::move(link));
            folderNamed = false;
        } else if (SameLetters(name, "HR")) {
            LinkNode separator;
            separator.kind = LinkNode::Separator;
            current()->children.push_back(std::move(separator));
            folderNamed = false;
        }
    }
    return root;
}

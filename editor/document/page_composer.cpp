// Writing a page back: its own text kept, its definition one line per entry.
#include <string>

#include "editor/document/definition_document.h"

namespace zorbit {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Quoted(std::string_view keyword, std::string_view text) {
    std::string line(keyword);
    line += " \"";
    line += text;
    line += '"';
    return line;
}

}  // namespace

const char* LineKindName(LineKind kind) {
    switch (kind) {
    case LineKind::Title: return "TITLE";
    case LineKind::TitleEnd: return "TITLE END";
    case LineKind::Submenu: return "SUBMENU";
    case LineKind::SubmenuEnd: return "SUBMENU END";
    case LineKind::Item: return "MENUITEM";
    case LineKind::Separator: return "SEPARATOR";
    case LineKind::Break: return "BREAK";
    }
    return "";
}

std::string ComposeLine(const DefinitionLine& line) {
    switch (line.kind) {
    case LineKind::Title: return Quoted("TITLE", line.caption);
    case LineKind::TitleEnd: return Quoted("TITLE", "END");
    case LineKind::Submenu: return Quoted("SUBMENU", line.caption);
    case LineKind::SubmenuEnd: return Quoted("SUBMENU", "END");
    case LineKind::Item: return Quoted("MENUITEM", line.caption + ";" + line.address);
    case LineKind::Separator: return "SEPARATOR";
    case LineKind::Break: return "BREAK";
    }
    return std::string();
}

std::string ComposePage(const DefinitionPage& page) {
    if (!page.originalBytes.empty() && page.lines == page.originalLines)
        return page.originalBytes;
    std::string text = page.preamble;
    if (!text.empty() && text.back() != '\n')
        text += kLineEnd;
    for (const DefinitionLine& line : page.lines) {
        text += ComposeLine(line);
        text += kLineEnd;
    }
    text += page.trailer;
    return text;
}

DefinitionPage NewPage(std::string_view fileName) {
    DefinitionPage page;
    page.hasEmbed = true;
    page.preamble =
        "<html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
        "<title>New Zorbit collection</title>\r\n"
        "</head>\r\n"
        "<body bgcolor=\"#FFFFFF\">\r\n"
        "<h1>New Zorbit collection</h1>\r\n"
        "<p>Each line after the plug-in is one menu line.</p>\r\n"
        "<embed type=\"application/vnd.vantrel-zorbit\" filename=\"" + std::string(fileName) +
        "\" width=\"2\" height=\"2\">\r\n"
        "<pre>\r\n";
    page.lines = {
        {LineKind::Title, "New collection", "", 0},
        {LineKind::Item, "Zorbit start page", "BatchBM.htm", 0},
        {LineKind::TitleEnd, "", "", 0},
    };
    page.trailer =
        "</pre>\r\n"
        "</body>\r\n"
        "</html>\r\n";
    return page;
}

}  // namespace zorbit

// Definition lines written as short codes, for tables of edits:
// "T:x" TITLE "x", "E" TITLE "END", "S:x" SUBMENU "x", "e" SUBMENU "END",
// "I:x" MENUITEM "x;...", "-" SEPARATOR, "|" BREAK.
#pragma once

#include <string>
#include <vector>

#include "editor/document/line_edits.h"

inline DefinitionLines Lines(const std::vector<std::string>& codes) {
    DefinitionLines lines;
    for (const std::string& code : codes) {
        zorbit::DefinitionLine line;
        switch (code[0]) {
        case 'T': line.kind = zorbit::LineKind::Title; break;
        case 'E': line.kind = zorbit::LineKind::TitleEnd; break;
        case 'S': line.kind = zorbit::LineKind::Submenu; break;
        case 'e': line.kind = zorbit::LineKind::SubmenuEnd; break;
        case '-': line.kind = zorbit::LineKind::Separator; break;
        case '|': line.kind = zorbit::LineKind::Break; break;
        default: line.kind = zorbit::LineKind::Item; break;
        }
        line.caption = code.size() > 2 ? code.substr(2) : std::string();
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> Codes(const DefinitionLines& lines) {
    static const char* kinds[] = {"T", "E", "S", "e", "I", "-", "|"};
    std::vector<std::string> codes;
    for (const zorbit::DefinitionLine& line : lines) {
        std::string code = kinds[static_cast<int>(line.kind)];
        if (!line.caption.empty())
            code += ":" + line.caption;
        codes.push_back(code);
    }
    return codes;
}

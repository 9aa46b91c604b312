#include "editor/document/entry_clipboard.h"

using zorbit::DefinitionLine;
using zorbit::LineKind;

namespace {

DefinitionLine Closing(LineKind opener) {
    DefinitionLine line;
    line.kind = opener == LineKind::Title ? LineKind::TitleEnd : LineKind::SubmenuEnd;
    return line;
}

DefinitionLines Balanced(const DefinitionLines& read) {
    DefinitionLines lines;
    std::vector<LineKind> open;
    const auto closeUntil = [&](LineKind opener) {
        while (!open.empty()) {
            const LineKind last = open.back();
            open.pop_back();
            lines.push_back(Closing(last));
            if (last == opener)
                return;
        }
    };
    const auto isOpen = [&open](LineKind kind) {
        for (LineKind opened : open) {
            if (opened == kind)
                return true;
        }
        return false;
    };
    for (DefinitionLine line : read) {
        line.sourceLine = 0;
        line.source = zorbit::kNoLine;
        switch (line.kind) {
        case LineKind::Title:
            closeUntil(LineKind::Title);
            open.push_back(LineKind::Title);
            break;
        case LineKind::Submenu:
            open.push_back(LineKind::Submenu);
            break;
        case LineKind::TitleEnd:
            if (isOpen(LineKind::Title))
                closeUntil(LineKind::Title);
            continue;
        case LineKind::SubmenuEnd:
            if (!open.empty() && open.back() == LineKind::Submenu)
                closeUntil(LineKind::Submenu);
            continue;
        default:
            break;
        }
        lines.push_back(std::move(line));
    }
    while (!open.empty()) {
        lines.push_back(Closing(open.back()));
        open.pop_back();
    }
    return lines;
}

}  // namespace

std::string ClipboardText(const DefinitionLines& lines, size_t index) {
    std::string text;
    for (size_t i = index; i < BlockEnd(lines, index); ++i)
        text += zorbit::ComposeLine(lines[i]) + "\r\n";
    return text;
}

DefinitionLines LinesFromText(std::string_view text) {
    // Bare lines are read as the lines after a page's embed tag.
    const bool page = text.find("embed") != std::string_view::npos;
    const zorbit::PageReading reading = zorbit::ReadPageBytes(page ? std::string(text) : "<embed>\r\n" + std::string(text));
    return Balanced(reading.page.lines);
}

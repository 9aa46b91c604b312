#include "editor/app/line_edits.h"

#include <algorithm>

using zorbit::DefinitionLine;
using zorbit::LineKind;

namespace {

bool Opens(LineKind kind) { return kind == LineKind::Title || kind == LineKind::Submenu; }
bool Closes(LineKind kind) { return kind == LineKind::TitleEnd || kind == LineKind::SubmenuEnd; }

DefinitionLine Line(LineKind kind, const char* caption) {
    DefinitionLine line;
    line.kind = kind;
    line.caption = caption;
    return line;
}

// The TITLE line of the title that holds `index`, or kNoSelection.
size_t TitleHolding(const DefinitionLines& lines, size_t index) {
    for (size_t i = index + 1; i-- > 0;) {
        if (lines[i].kind == LineKind::Title)
            return i;
        if (lines[i].kind == LineKind::TitleEnd && i != index)
            return kNoSelection;
    }
    return kNoSelection;
}

// The first line of the block that ends just before `end`.
size_t BlockStartBefore(const DefinitionLines& lines, size_t end) {
    const size_t last = end - 1;
    if (lines[last].kind == LineKind::TitleEnd) {
        size_t title = TitleHolding(lines, last);
        return title == kNoSelection ? last : title;
    }
    if (lines[last].kind != LineKind::SubmenuEnd)
        return last;
    int open = 0;
    for (size_t i = end; i-- > 0;) {
        if (lines[i].kind == LineKind::SubmenuEnd)
            ++open;
        else if (lines[i].kind == LineKind::Submenu && --open == 0)
            return i;
        else if (lines[i].kind == LineKind::Title || lines[i].kind == LineKind::TitleEnd)
            break;
    }
    return last;
}

}  // namespace

size_t BlockEnd(const DefinitionLines& lines, size_t index) {
    if (index >= lines.size())
        return lines.size();
    const LineKind kind = lines[index].kind;
    if (kind == LineKind::Title) {
        for (size_t i = index + 1; i < lines.size(); ++i) {
            if (lines[i].kind == LineKind::TitleEnd)
                return i + 1;
            if (lines[i].kind == LineKind::Title)
                return i;
        }
        return lines.size();
    }
    if (kind == LineKind::Submenu) {
        int open = 1;
        for (size_t i = index + 1; i < lines.size(); ++i) {
            if (lines[i].kind == LineKind::Submenu)
                ++open;
            else if (lines[i].kind == LineKind::SubmenuEnd && --open == 0)
                return i + 1;
            else if (lines[i].kind == LineKind::Title || lines[i].kind == LineKind::TitleEnd)
                return i;
        }
        return lines.size();
    }
    return index + 1;
}

size_t AddLine(DefinitionLines& lines, size_t selected, LineKind kind) {
    std::vector<DefinitionLine> added;
    switch (kind) {
    case LineKind::Title:
        added = {Line(LineKind::Title, "New menu"), Line(LineKind::TitleEnd, "")};
        break;
    case LineKind::Submenu:
        added = {Line(LineKind::Submenu, "New submenu"), Line(LineKind::SubmenuEnd, "")};
        break;
    case LineKind::Item: {
        DefinitionLine item = Line(LineKind::Item, "New link");
        item.address = "https://";
        added = {item};
        break;
    }
    default:
        added = {Line(kind, "")};
        break;
    }

    size_t at = lines.size();
    if (selected < lines.size()) {
        at = selected + 1;
        if (kind == LineKind::Title) {
            const size_t title = TitleHolding(lines, selected);
            if (title != kNoSelection)
                at = BlockEnd(lines, title);
        }
    } else if (kind != LineKind::Title && !lines.empty() && lines.back().kind == LineKind::TitleEnd) {
        at = lines.size() - 1;  // into the last title rather than after it
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    return at;
}

size_t DeleteBlock(DefinitionLines& lines, size_t index) {
    if (index >= lines.size())
        return kNoSelection;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index),
                lines.begin() + static_cast<std::ptrdiff_t>(BlockEnd(lines, index)));
    // The line now in its place, or the one before; never an "END" line.
    size_t next = index;
    while (next < lines.size() && Closes(lines[next].kind))
        ++next;
    if (next < lines.size())
        return next;
    for (size_t i = std::min(index, lines.size()); i-- > 0;) {
        if (!Closes(lines[i].kind))
            return i;
    }
    return kNoSelection;
}

size_t MoveBlockUp(DefinitionLines& lines, size_t index) {
    if (index == 0 || index >= lines.size())
        return kNoSelection;
    const LineKind before = lines[index - 1].kind;
    // Right after the line that opens its menu: first already. A title
    // moves only past whole titles or lines outside titles.
    if (Opens(before))
        return kNoSelection;
    if (lines[index].kind != LineKind::Title && before == LineKind::TitleEnd)
        return kNoSelection;
    const size_t previous = BlockStartBefore(lines, index);
    const size_t end = BlockEnd(lines, index);
    std::rotate(lines.begin() + static_cast<std::ptrdiff_t>(previous),
                lines.begin() + static_cast<std::ptrdiff_t>(index),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
    return previous;
}

size_t MoveBlockDown(DefinitionLines& lines, size_t index) {
    if (index >= lines.size())
        return kNoSelection;
    const size_t next = BlockEnd(lines, index);
    if (next >= lines.size() || Closes(lines[next].kind))
        return kNoSelection;
    if (lines[index].kind != LineKind::Title && lines[next].kind == LineKind::Title)
        return kNoSelection;
    const size_t nextEnd = BlockEnd(lines, next);
    std::rotate(lines.begin() + static_cast<std::ptrdiff_t>(index),
                lines.begin() + static_cast<std::ptrdiff_t>(next),
                lines.begin() + static_cast<std::ptrdiff_t>(nextEnd));
    return index + (nextEnd - next);
}

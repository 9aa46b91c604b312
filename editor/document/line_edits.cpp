#include "editor/document/line_edits.h"

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

// Where AddLine puts a new line (a title when `title`).
size_t InsertionPoint(const DefinitionLines& lines, size_t selected, bool title) {
    if (selected < lines.size()) {
        if (title) {
            const size_t holding = TitleHolding(lines, selected);
            if (holding != kNoSelection)
                return BlockEnd(lines, holding);
        }
        return selected + 1;
    }
    if (!title && !lines.empty() && lines.back().kind == LineKind::TitleEnd)
        return lines.size() - 1;  // into the last title rather than after it
    return lines.size();
}

// Lines copied into the page: they stand for nothing read from it.
void MarkAdded(DefinitionLines::iterator begin, DefinitionLines::iterator end) {
    for (auto line = begin; line != end; ++line) {
        line->sourceLine = 0;
        line->source = zorbit::kNoLine;
    }
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
    const size_t at = InsertionPoint(lines, selected, kind == LineKind::Title);
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
    if (lines[index].kind == LineKind::Title) {
        // A title moves only past whole titles or lines outside titles.
        if (Opens(before))
            return kNoSelection;
        return MoveBlockTo(lines, index, BlockStartBefore(lines, index));
    }
    if (before == LineKind::Submenu)
        return MoveBlockTo(lines, index, index - 1);
    if (before == LineKind::Title) {
        const bool titleAbove = index >= 2 && lines[index - 2].kind == LineKind::TitleEnd;
        return titleAbove ? MoveBlockTo(lines, index, index - 2) : kNoSelection;
    }
    if (before == LineKind::TitleEnd)
        return kNoSelection;
    return MoveBlockTo(lines, index, BlockStartBefore(lines, index));
}

size_t MoveBlockDown(DefinitionLines& lines, size_t index) {
    if (index >= lines.size())
        return kNoSelection;
    const size_t next = BlockEnd(lines, index);
    if (next >= lines.size())
        return kNoSelection;
    const LineKind after = lines[next].kind;
    if (lines[index].kind == LineKind::Title)
        return Closes(after) ? kNoSelection : MoveBlockTo(lines, index, BlockEnd(lines, next));
    if (after == LineKind::SubmenuEnd)
        return MoveBlockTo(lines, index, next + 1);
    if (after == LineKind::TitleEnd) {
        const bool titleBelow = next + 1 < lines.size() && lines[next + 1].kind == LineKind::Title;
        return titleBelow ? MoveBlockTo(lines, index, next + 2) : kNoSelection;
    }
    if (after == LineKind::Title)
        return kNoSelection;
    return MoveBlockTo(lines, index, BlockEnd(lines, next));
}

size_t MoveBlockTo(DefinitionLines& lines, size_t index, size_t before) {
    if (index >= lines.size())
        return kNoSelection;
    const size_t end = BlockEnd(lines, index);
    before = std::min(before, lines.size());
    if (before >= index && before <= end)
        return kNoSelection;
    const auto at = [&lines](size_t i) { return lines.begin() + static_cast<std::ptrdiff_t>(i); };
    if (before < index) {
        std::rotate(at(before), at(index), at(end));
        return before;
    }
    std::rotate(at(index), at(end), at(before));
    return before - (end - index);
}

size_t DropBlock(DefinitionLines& lines, size_t index, size_t target, DropPlace place) {
    if (index >= lines.size() || target >= lines.size())
        return kNoSelection;
    if (lines[index].kind == LineKind::Title) {
        const size_t holding = TitleHolding(lines, target);
        const size_t anchor = holding == kNoSelection ? target : holding;
        return MoveBlockTo(lines, index, place == DropPlace::Before ? anchor : BlockEnd(lines, anchor));
    }
    size_t before = target + 1;
    if (place == DropPlace::Before) {
        before = target;
        // Before a title is the end of the title above, not outside both.
        if (lines[target].kind == LineKind::Title && target > 0 && lines[target - 1].kind == LineKind::TitleEnd)
            before = target - 1;
    } else if (place == DropPlace::Into && Opens(lines[target].kind)) {
        before = BlockEnd(lines, target);
        if (before - 1 > target && Closes(lines[before - 1].kind))
            --before;
    }
    return MoveBlockTo(lines, index, before);
}

size_t DuplicateBlock(DefinitionLines& lines, size_t index) {
    if (index >= lines.size())
        return kNoSelection;
    const size_t end = BlockEnd(lines, index);
    DefinitionLines copy(lines.begin() + static_cast<std::ptrdiff_t>(index),
                         lines.begin() + static_cast<std::ptrdiff_t>(end));
    MarkAdded(copy.begin(), copy.end());
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), copy.begin(), copy.end());
    return end;
}

size_t PasteLines(DefinitionLines& lines, size_t selected, const DefinitionLines& pasted) {
    if (pasted.empty())
        return kNoSelection;
    const bool title = std::any_of(pasted.begin(), pasted.end(),
                                   [](const DefinitionLine& line) { return line.kind == LineKind::Title; });
    const size_t at = InsertionPoint(lines, selected, title);
    const auto first = lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), pasted.begin(), pasted.end());
    MarkAdded(first, first + static_cast<std::ptrdiff_t>(pasted.size()));
    return at;
}

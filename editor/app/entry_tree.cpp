#include "editor/app/entry_tree.h"

#include "editor/document/menu_placement.h"

namespace {

std::string EntryText(const zorbit::MenuEntry& entry) {
    std::string text;
    switch (entry.kind) {
    case Separator: text = "---- separator ----"; break;
    case Break: text = "|| column break"; break;
    case Item:
        text = entry.name.empty() ? "(item that does nothing)" : entry.name;
        text += "   -> " + (entry.url.empty() ? std::string("(no address)") : entry.url);
        break;
    default: text = entry.name.empty() ? "(no caption)" : entry.name; break;
    }
    if (!entry.shown && !entry.hiddenReason.empty())
        text += "   [never shown: " + entry.hiddenReason + "]";
    return text;
}

}  // namespace

void EntryTree::Fill(const std::vector<zorbit::MenuEntry>& menus, size_t selectLine) {
    filling_ = true;
    const std::vector<size_t> parents = ParentEntries(menus);
    SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(tree_);
    items_.assign(menus.size(), nullptr);
    HTREEITEM selected = nullptr;
    for (size_t i = 0; i < menus.size(); ++i) {
        std::string text = EntryText(menus[i]);
        TVINSERTSTRUCTA insert{};
        const size_t parent = parents[i];
        insert.hParent = parent < i && items_[parent] ? items_[parent] : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = &text[0];
        insert.item.lParam = static_cast<LPARAM>(i);
        items_[i] = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!selected && selectLine != kNoSelection && menus[i].lineIndex == selectLine)
            selected = items_[i];
    }
    for (HTREEITEM item : items_)
        TreeView_Expand(tree_, item, TVE_EXPAND);
    if (!selected && !items_.empty() && selectLine != kNoSelection)
        selected = items_.front();
    if (selected) {
        TreeView_SelectItem(tree_, selected);
        TreeView_EnsureVisible(tree_, selected);
    }
    SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);
    filling_ = false;
}

bool EntryTree::Rename(const std::vector<zorbit::MenuEntry>& before, const std::vector<zorbit::MenuEntry>& now) {
    if (before.size() != now.size() || items_.size() != now.size())
        return false;
    for (size_t i = 0; i < now.size(); ++i) {
        if (before[i].kind != now[i].kind || before[i].depth != now[i].depth || before[i].shown != now[i].shown ||
            before[i].lineIndex != now[i].lineIndex)
            return false;
    }
    for (size_t i = 0; i < now.size(); ++i) {
        if (before[i].name == now[i].name && before[i].url == now[i].url &&
            before[i].hiddenReason == now[i].hiddenReason)
            continue;
        std::string text = EntryText(now[i]);
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = items_[i];
        item.pszText = &text[0];
        SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return true;
}

size_t EntryTree::SelectedEntry() const {
    HTREEITEM item = TreeView_GetSelection(tree_);
    if (!item)
        return kNoSelection;
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return kNoSelection;
    const size_t index = static_cast<size_t>(data.lParam);
    return index < items_.size() ? index : kNoSelection;
}

void EntryTree::SelectEntry(size_t index) {
    if (index >= items_.size())
        return;
    TreeView_SelectItem(tree_, items_[index]);
    TreeView_EnsureVisible(tree_, items_[index]);
}

void EntryTree::SelectLine(const std::vector<zorbit::MenuEntry>& menus, size_t line) {
    size_t best = kNoSelection;
    for (size_t i = 0; i < menus.size() && i < items_.size(); ++i) {
        const size_t entryLine = menus[i].lineIndex;
        if (entryLine == zorbit::kNoLine || entryLine > line)
            continue;
        if (best == kNoSelection || entryLine >= menus[best].lineIndex)
            best = i;
    }
    SelectEntry(best);
}

size_t EntryTree::DropTarget(POINT at, const std::vector<zorbit::MenuEntry>& menus, DropPlace& place) {
    TVHITTESTINFO hit{};
    hit.pt = at;
    HTREEITEM item = TreeView_HitTest(tree_, &hit);
    TreeView_SelectDropTarget(tree_, item);
    size_t index = kNoSelection;
    for (size_t i = 0; i < items_.size() && i < menus.size(); ++i) {
        if (item && items_[i] == item)
            index = i;
    }
    if (index == kNoSelection)
        return kNoSelection;
    // The upper and lower edges of a row are between entries; the middle
    // of a title or submenu is the menu itself.
    RECT row{};
    TreeView_GetItemRect(tree_, item, &row, FALSE);
    const LONG height = row.bottom - row.top;
    const bool menu = menus[index].kind == Title || menus[index].kind == Submenu;
    const LONG edge = menu ? height / 4 : height / 2;
    place = at.y < row.top + edge       ? DropPlace::Before
            : at.y >= row.bottom - edge ? DropPlace::After
                                        : DropPlace::Into;
    return index;
}

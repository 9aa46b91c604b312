// The definition entries as InstallMenus puts them in the menu bar: which
// menu each lands in, and whether that menu is ever shown.
#include <vector>

#include "editor/document/page_trace.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/menu_nesting.h"

namespace zorbit::detail {

namespace {

bool IsEndLine(const TracedLine& line) {
    return (line.keyword == "TITLE" || line.keyword == "SUBMENU") && line.quoted == "END";
}

constexpr const char* kBeforeFirstTitle =
    "comes before the first TITLE, so the plug-in puts it in a menu that is never shown";
constexpr const char* kAfterTitleClosed =
    "comes after its title menu was closed (by TITLE \"END\" or one SUBMENU \"END\" too many) and before a "
    "new TITLE, so the plug-in puts it in a menu that is never shown";
constexpr const char* kInHiddenSubmenu = "is inside a submenu that is never shown";
static_assert(kMaxMenuEntries == 4096, "kLeftOutOfAFullMenu names the number");

}  // namespace

std::vector<MenuEntry> BuildMenuView(const PageTrace& trace) {
    std::vector<MenuEntry> view;
    const auto& entries = trace.menus.definitionEntries;
    size_t next = 0;
    for (size_t k = 0; k < trace.definitionLines.size() && next < entries.size(); ++k) {
        const TracedLine& line = trace.lines[trace.definitionLines[k]];
        if (IsEndLine(line))
            continue;
        const CItemData& item = *entries[next];
        MenuEntry entry;
        entry.kind = static_cast<EntryKind>(item.kind);
        entry.name = item.name;
        entry.url = item.url;
        entry.depth = item.depth;
        entry.index = next;
        entry.sourceLine = line.physicalLine;
        entry.lineIndex = k;
        if (entry.kind == Item)
            entry.command = DefinitionCommand(static_cast<uint32_t>(next));
        view.push_back(std::move(entry));
        ++next;
    }

    // The walk of InstallMenus: the holder menu it starts in is never
    // attached to anything, nor is whatever is appended to it.
    const std::vector<EntryPlace> places = PlaceEntriesOf(view);
    bool titleSeen = false;
    for (size_t j = 0; j < view.size(); ++j) {
        MenuEntry& entry = view[j];
        const EntryPlace& place = places[j];
        entry.shown = place.shown;
        if (entry.kind == Title) {
            titleSeen = true;
            if (!entry.shown)
                entry.hiddenReason = kLeftOutOfAFullMenu;
            continue;
        }
        if (entry.shown)
            continue;
        const bool menuShown = place.parent != kNoParent && places[place.parent].shown;
        entry.hiddenReason = !menuShown ? (!titleSeen            ? kBeforeFirstTitle
                                           : place.level == 0    ? kAfterTitleClosed
                                                                 : kInHiddenSubmenu)
                                        : kLeftOutOfAFullMenu;
        if (entry.kind == Item)
            entry.command = 0;
    }
    return view;
}

}  // namespace zorbit::detail

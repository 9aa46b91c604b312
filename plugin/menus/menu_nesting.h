// Which menu each definition entry lands in: the one walk over the entries
// that InstallMenus makes, shared with everything that must show the menus
// as the browser will (the editor's tree, its menu listing, the checker).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugin/menus/item_data.h"

namespace zorbit {

// Menus open at most this many levels below the bar, a title's popup being
// the first: deeper, the platform refuses menu trees, and menus stop being
// usable with the mouse (see docs/safety.md). A submenu that would open
// deeper shows as a greyed caption, and its entries follow it in the
// deepest menu, in order.
constexpr int32_t kMaxMenuLevels = 12;
// A menu, the bar's titles included, takes at most this many entries; later
// ones are left out, with whatever a submenu among them holds. The platform
// copies a menu's whole item list on each append, so a page could otherwise
// keep the browser building one menu for minutes.
constexpr size_t kMaxMenuEntries = 4096;

constexpr size_t kNoParent = static_cast<size_t>(-1);

// What the walk needs of an entry.
struct EntryShape {
    int32_t kind = Item;
    int32_t depth = 0;
};

// Where one entry lands.
struct EntryPlace {
    // The title or submenu entry whose menu holds it. kNoParent for a title
    // (it goes on the bar) and for an entry in the holder menu, which is
    // never shown: before the first title, or at depth 0 after one closed.
    size_t parent = kNoParent;
    // The level of that menu: 0 the bar or the holder, 1 a title's popup.
    int32_t level = 0;
    // It took a place in its menu (a break takes none); false when that
    // menu was full and it is left out.
    bool placed = false;
    // A title, or a submenu within kMaxMenuLevels: the entries after it go
    // into its menu, whether or not that menu is shown.
    bool opens = false;
    // It appears: placed, on the bar or in a menu that itself appears.
    bool shown = false;
};

// The parent of entry j, and the rest of its place, for every entry.
std::vector<EntryPlace> PlaceEntries(const std::vector<EntryShape>& entries);

// The same for any entries with a kind and a depth.
template <typename Entries>
std::vector<EntryPlace> PlaceEntriesOf(const Entries& entries) {
    std::vector<EntryShape> shapes;
    for (const auto& entry : entries)
        shapes.push_back({static_cast<int32_t>(entry.kind), entry.depth});
    return PlaceEntries(shapes);
}

}  // namespace zorbit

#include "plugin/menus/menu_nesting.h"

namespace zorbit {

namespace {

// The open menus: each an entry index (kNoParent for the holder) with the
// number of entries it took so far.
class OpenMenus {
public:
    // Goes back up to the menu that an entry of this depth lands in.
    void Leave(int32_t depth) {
        while (depth < level() && !stack_.empty()) {
            current_ = stack_.back();
            stack_.pop_back();
        }
    }

    size_t current() const { return current_.entry; }
    int32_t level() const { return current_.level; }
    bool SubmenuFits() const { return level() < kMaxMenuLevels; }

    // Counts an entry appended to the current menu, or a title appended to
    // the bar; false, counting nothing, when it is full.
    bool TakePlace() { return Take(current_.entries); }
    bool TakeBarPlace() { return Take(barEntries_); }

    void Open(size_t entry) {
        stack_.push_back(current_);
        current_ = {entry, current_.level + 1, 0};
    }

private:
    struct Menu {
        size_t entry;
        int32_t level;
        size_t entries;
    };
    static bool Take(size_t& entries) {
        if (entries >= kMaxMenuEntries)
            return false;
        ++entries;
        return true;
    }

    Menu current_{kNoParent, 0, 0};
    std::vector<Menu> stack_;
    size_t barEntries_ = 0;
};

}  // namespace

std::vector<EntryPlace> PlaceEntries(const std::vector<EntryShape>& entries) {
    std::vector<EntryPlace> places(entries.size());
    OpenMenus menus;
    for (size_t j = 0; j < entries.size(); ++j) {
        const EntryShape& entry = entries[j];
        EntryPlace& place = places[j];
        menus.Leave(entry.depth);
        place.level = menus.level();
        if (entry.kind == Title) {
            place.placed = menus.TakeBarPlace();
            place.shown = place.placed;
            place.opens = true;
            menus.Open(j);
            continue;
        }
        place.parent = menus.current();
        place.placed = entry.kind == Break || menus.TakePlace();
        place.shown = place.placed && place.parent != kNoParent && places[place.parent].shown;
        place.opens = entry.kind == Submenu && menus.SubmenuFits();
        if (place.opens)
            menus.Open(j);
    }
    return places;
}

}  // namespace zorbit

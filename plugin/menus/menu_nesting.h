// Which menu each definition entry lands in: the walk InstallMenus makes
// over the entries, shared with everything that must show the menus as the
// browser will (the editor's tree, its menu listing, the checker).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

// `Menu` is whatever stands for a menu: a handle, an entry's index.
template <typename Menu>
class MenuNesting {
public:
    explicit MenuNesting(Menu holder) : current_{holder, 0} {}

    // Goes back up to the menu that an entry of this depth lands in.
    void Leave(int32_t depth) {
        while (depth < level_) {
            if (stack_.empty()) {
                level_ = 0;
                return;
            }
            current_ = stack_.back();
            stack_.pop_back();
            --level_;
        }
    }

    Menu current() const { return current_.menu; }
    int32_t level() const { return level_; }

    // Whether a submenu of the current menu stays within kMaxMenuLevels.
    bool SubmenuFits() const { return level_ < kMaxMenuLevels; }

    // Counts an entry appended to the current menu, or a title appended to
    // the bar; false, counting nothing, when it is full and the entry is left out.
    bool TakePlace() { return Take(current_.entries); }
    bool TakeBarPlace() { return Take(barEntries_); }

    // The menu a title or a fitting submenu opened takes the entries that follow.
    void Open(Menu menu) {
        stack_.push_back(current_);
        ++level_;
        current_ = {menu, 0};
    }

private:
    struct Level {
        Menu menu;
        size_t entries;
    };
    static bool Take(size_t& entries) {
        if (entries >= kMaxMenuEntries)
            return false;
        ++entries;
        return true;
    }

    Level current_;
    std::vector<Level> stack_;
    int32_t level_ = 0;
    size_t barEntries_ = 0;
};

}  // namespace zorbit

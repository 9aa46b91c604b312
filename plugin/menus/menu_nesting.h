// Which menu each definition entry lands in: the walk InstallMenus makes
// over the entries, shared with everything that must show the menus as the
// browser will (the editor's tree, its menu listing, the checker).
#pragma once

#include <cstdint>
#include <vector>

namespace zorbit {

// Menus open at most this many levels below the bar, a title's popup being
// the first: deeper, the platform refuses menu trees, and menus stop being
// usable with the mouse (see docs/safety.md). A submenu that would open
// deeper shows as a greyed caption, and its entries follow it in the
// deepest menu, in order.
constexpr int32_t kMaxMenuLevels = 12;

// `Menu` is whatever stands for a menu: a handle, an entry's index.
template <typename Menu>
class MenuNesting {
public:
    explicit MenuNesting(Menu holder) : current_(holder) {}

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

    Menu current() const { return current_; }
    int32_t level() const { return level_; }

    // Whether a submenu of the current menu stays within kMaxMenuLevels.
    bool SubmenuFits() const { return level_ < kMaxMenuLevels; }

    // The menu a title or a fitting submenu opened takes the entries that follow.
    void Open(Menu menu) {
        stack_.push_back(current_);
        ++level_;
        current_ = menu;
    }

private:
    Menu current_;
    std::vector<Menu> stack_;
    int32_t level_ = 0;
};

}  // namespace zorbit

// One entry of a menu: a definition entry or a collection entry.
#pragma once

#include <cstdint>
#include <string_view>

#include "plugin/menus/item_text.h"

enum EntryKind : int32_t {
    Item = 0,
    Submenu = 1,
    Title = 2,
    Separator = 3,
    Break = 4,
};

// Final: the definition entries lie side by side, and are destroyed without a
// virtual call each.
class CItemData final {
public:
    CItemData() = default;
    CItemData(std::string_view name, std::string_view url, EntryKind kind, int32_t depth)
        : name(name), url(url), kind(kind), depth(depth) {}
    CItemData(const CItemData&) = default;
    CItemData(CItemData&&) = default;
    CItemData& operator=(const CItemData&) = default;
    CItemData& operator=(CItemData&&) = default;
    virtual ~CItemData() = default;

    ItemText name;
    ItemText url;
    int32_t kind = Item;
    int32_t depth = 0;
};

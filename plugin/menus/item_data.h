// One entry of a menu: a definition entry or a collection entry.
#pragma once

#include <cstdint>
#include <string>

enum EntryKind : int32_t {
    Item = 0,
    Submenu = 1,
    Title = 2,
    Separator = 3,
    Break = 4,
};

class CItemData {
public:
    CItemData() = default;
    CItemData(std::string name, std::string url, EntryKind kind, int32_t depth)
        : name(std::move(name)), url(std::move(url)), kind(kind), depth(depth) {}
    virtual ~CItemData() = default;

    std::string name;
    std::string url;
    int32_t kind = Item;
    int32_t depth = 0;
};

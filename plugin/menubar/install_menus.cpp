// Appends the plug-in's menus to the menu bar of the browser's frame: the
// divider picture, the picture-faced collection popup and one popup per
// title of the definition.
#include <string>
#include <vector>

#include "plugin/menubar/plugin_module.h"
#include "plugin/menubar/bar_owners.h"
#include "plugin/menubar/menu_bar_set.h"
#include "plugin/menubar/menu_pictures.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/menu_nesting.h"

namespace {

// Owned by the set from the moment it exists: the place for it is made
// first, so that running out of memory cannot leave a menu nothing frees.
HMENU CreateRecordedMenu(MenuBarSet& set) {
    set.createdMenus.emplace_back();
    set.createdMenus.back().reset(CreateMenu());
    zorbit::TagMenu(set.createdMenus.back().get(), set.menuTag);
    return set.createdMenus.back().get();
}

HBITMAP LoadPicture(int number) {
    return LoadBitmapA(PluginModule(), MAKEINTRESOURCEA(number));
}

UINT BreakFlag(bool& pendingBreak) {
    if (!pendingBreak)
        return 0;
    pendingBreak = false;
    return MF_MENUBARBREAK;
}

// An item whose identifier would not fit the 16 bits of WM_COMMAND is
// greyed and carries no identifier, so that neither choosing nor
// highlighting it can name another entry.
void AppendCommandItem(HMENU menu, UINT flags, size_t index, size_t lastIndex, uint32_t command,
                       const std::string& name) {
    if (index > lastIndex)
        AppendMenuA(menu, flags | MF_GRAYED, zorbit::kNoCommand, name.c_str());
    else
        AppendMenuA(menu, flags, command, name.c_str());
}

void AppendCollectionPopup(CBarMenuData& data, HMENU popup) {
    for (size_t i = 0; i < data.collectionEntries.size(); ++i) {
        const CItemData& entry = *data.collectionEntries[i];
        if (entry.kind == Separator)
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendCommandItem(popup, MF_STRING, i, zorbit::kLastCollectionIndex,
                              zorbit::CollectionCommand(static_cast<uint32_t>(i)), std::string(entry.name));
    }
    AppendMenuA(popup, MF_STRING, zorbit::kAboutCommand, "About Zorbit");
}

// Entries before the first title, and depth-0 entries after a title has been
// closed, land in the holder menu, which is never shown.
void AppendDefinition(MenuBarSet& set, HMENU holder) {
    const EntryList& entries = set.menus.definitionEntries;
    const std::vector<zorbit::EntryPlace> places = zorbit::PlaceEntriesOf(entries);
    // The menu each opening entry made; null where none was made.
    std::vector<HMENU> opened(places.size(), nullptr);
    bool pendingBreak = false;

    for (size_t j = 0; j < places.size(); ++j) {
        const CItemData& entry = *entries[j];
        const zorbit::EntryPlace& place = places[j];
        HMENU current = place.parent == zorbit::kNoParent ? holder : opened[place.parent];

        switch (entry.kind) {
        case Submenu: {
            if (!place.opens) {
                if (place.placed)
                    AppendMenuA(current, MF_STRING | MF_GRAYED | BreakFlag(pendingBreak), zorbit::kNoCommand,
                                std::string(entry.name).c_str());
                break;
            }
            const std::string name(entry.name);
            HMENU submenu = place.placed ? CreateMenu() : nullptr;
            zorbit::TagMenu(submenu, set.menuTag);
            if (submenu && !AppendMenuA(current, MF_POPUP | BreakFlag(pendingBreak),
                                        reinterpret_cast<UINT_PTR>(submenu), name.c_str())) {
                // Not attached to anything that would destroy it: its items
                // go nowhere visible and it is freed right away.
                OwnedMenu orphan(submenu);
                submenu = nullptr;
            }
            opened[j] = submenu;
            break;
        }
        case Title: {
            if (!place.placed)
                break;
            opened[j] = CreateRecordedMenu(set);
            if (set.frameMenu)
                AppendMenuA(set.frameMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(opened[j]),
                            std::string(entry.name).c_str());
            break;
        }
        case Separator:
            if (place.placed)
                AppendMenuA(current, MF_SEPARATOR | BreakFlag(pendingBreak), 0, nullptr);
            break;
        case Break:
            pendingBreak = true;
            break;
        default:
            if (place.placed)
                AppendCommandItem(current, MF_STRING | BreakFlag(pendingBreak), j, zorbit::kLastDefinitionIndex,
                                  zorbit::DefinitionCommand(static_cast<uint32_t>(j)), std::string(entry.name));
            break;
        }
    }
}

}  // namespace

int32_t CBarMenuData::InstallMenus(HWND frame) {
    if (!frame)
        return 0;
    // One set of installation values: a second installation replaces the
    // first instead of leaking its menus and pictures.
    RemoveMenus();
    MenuBarSet& set = MenuBarSet::Of(*this);
    if (!zorbit::JoinBar(set, frame))
        return 1;

    set.frameMenu = GetMenu(frame);
    set.baseItemCount = GetMenuItemCount(set.frameMenu);

    set.faceBitmap.reset(LoadPicture(zorbit::kCollectionFacePicture));
    HMENU collectionPopup = CreateRecordedMenu(set);

    set.dividerBitmap.reset(LoadPicture(zorbit::kDividerPicture));
    if (set.frameMenu) {
        AppendMenuA(set.frameMenu, MF_BITMAP, zorbit::kDividerCommand,
                    reinterpret_cast<LPCSTR>(set.dividerBitmap.get()));
        AppendMenuA(set.frameMenu, MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(collectionPopup),
                    reinterpret_cast<LPCSTR>(set.faceBitmap.get()));
    }
    AppendCollectionPopup(*this, collectionPopup);

    HMENU holder = CreateRecordedMenu(set);
    AppendDefinition(set, holder);

    DrawMenuBar(frame);
    return 1;
}

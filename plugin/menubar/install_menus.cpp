// Appends the plug-in's menus to the menu bar of the browser's frame: the
// divider picture, the picture-faced collection popup and one popup per
// title of the definition.
#include <string>
#include <vector>

#include "plugin/entry/plugin_module.h"
#include "plugin/menubar/bar_owners.h"
#include "plugin/menubar/menu_pictures.h"
#include "plugin/menubar/owned_handles.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"
#include "plugin/menus/menu_nesting.h"

namespace {

// Recorded as soon as it exists, so that running out of memory for the
// record cannot leave a menu that nothing frees.
HMENU CreateRecordedMenu(CBarMenuData& data) {
    OwnedMenu menu(CreateMenu());
    data.createdMenus.push_back(menu.get());
    zorbit::TagMenu(menu.get(), data.menuTag);
    return menu.release();
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
void AppendDefinition(CBarMenuData& data, HMENU holder) {
    const std::vector<zorbit::EntryPlace> places = zorbit::PlaceEntriesOf(data.definitionEntries);
    // The menu each opening entry made; null where none was made.
    std::vector<HMENU> opened(places.size(), nullptr);
    bool pendingBreak = false;

    for (size_t j = 0; j < places.size(); ++j) {
        const CItemData& entry = *data.definitionEntries[j];
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
            zorbit::TagMenu(submenu, data.menuTag);
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
            opened[j] = CreateRecordedMenu(data);
            if (data.frameMenu)
                AppendMenuA(data.frameMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(opened[j]),
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
    if (!zorbit::JoinBar(*this, frame))
        return 1;

    frameMenu = GetMenu(frame);
    baseItemCount = GetMenuItemCount(frameMenu);

    faceBitmap = LoadPicture(zorbit::kCollectionFacePicture);
    HMENU collectionPopup = CreateRecordedMenu(*this);

    dividerBitmap = LoadPicture(zorbit::kDividerPicture);
    if (frameMenu) {
        AppendMenuA(frameMenu, MF_BITMAP, zorbit::kDividerCommand,
                    reinterpret_cast<LPCSTR>(dividerBitmap));
        AppendMenuA(frameMenu, MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(collectionPopup),
                    reinterpret_cast<LPCSTR>(faceBitmap));
    }
    AppendCollectionPopup(*this, collectionPopup);

    HMENU holder = CreateRecordedMenu(*this);
    AppendDefinition(*this, holder);

    DrawMenuBar(frame);
    return 1;
}

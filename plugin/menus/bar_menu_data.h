// The per-instance menu manager: the entries of the definition and of the
// collection files, and the menus and pictures made from them in the
// browser's menu bar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/menus/entry_list.h"
#include "plugin/menus/item_data.h"
#include "plugin/menus/pase_data.h"

// The system's window handle, declared as <windows.h> declares it: the
// model itself needs nothing of Windows.
struct HWND__;
typedef HWND__* HWND;

// This object's menus on a frame's bar and its share of the thread's hooks:
// made, read and freed only by the menu-bar code.
class MenuBarSet;
struct MenuBarSetDeleter {
    void (*destroy)(MenuBarSet*) = nullptr;
    void operator()(MenuBarSet* set) const { destroy(set); }
};

class CBarMenuData {
public:
    CBarMenuData() = default;
    CBarMenuData(const CBarMenuData&) = delete;
    CBarMenuData& operator=(const CBarMenuData&) = delete;
    // Deletes the definition entries, then the collection entries (each list
    // from the last to the first), then takes the menus out of the bar and
    // removes the hooks.
    ~CBarMenuData();

    // Replaces the definition entries with those built from the lines. The
    // entries' texts are copied, unless the lines' texts all lie in `texts`,
    // which the entries then share.
    void BuildEntries(const std::vector<CPaseData>& lines,
                      const std::vector<std::shared_ptr<const void>>& texts = {});

    // The url of definition entry `index`, or empty text for index 0, for
    // indices past the end and for entries beyond the last command identifier.
    std::string GetEntryUrl(uint32_t index) const;

    // Appends the entries of one profile section: NUL-terminated
    // "key=value" lines ended by an empty one, within `size` bytes.
    void AddSectionEntries(const char* section, size_t size, bool addPrefix);

    // On Windows only. Reads the collection sections named by the profile
    // entry "Zorbit"/"ZorbitDir" and appends their entries.
    void LoadCollections();

    // On Windows only. Appends the plug-in's menus to the frame's menu bar.
    // 0 for a null frame, 1 after installation. A bar shows one set: when
    // another object's menus are on it, this one waits, and takes the bar
    // when that set is removed.
    int32_t InstallMenus(HWND frame);
    void RemoveMenus();

    // On Windows only. Thread hooks that forward the plug-in's commands and
    // highlights to the target window.
    void InstallHooks();
    void SetTargetWindow(HWND target);

    EntryList definitionEntries;
    std::vector<std::unique_ptr<CItemData>> collectionEntries;
    // Made by the first InstallMenus or InstallHooks; null before.
    std::unique_ptr<MenuBarSet, MenuBarSetDeleter> bar;
};

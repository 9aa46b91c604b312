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
#include "plugin/menus/platform_handles.h"

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

#ifdef _WIN32
    // Reads the collection sections named by the profile entry
    // "Zorbit"/"ZorbitDir" and appends their entries.
    void LoadCollections();

    // Appends the plug-in's menus to the frame's menu bar. 0 for a null
    // frame, 1 after installation. A bar shows one set: when another
    // object's menus are on it, this one waits, and takes the bar when that
    // set is removed.
    int32_t InstallMenus(HWND frame);
    void RemoveMenus();

    // Thread hooks that forward the plug-in's commands and highlights.
    void InstallHooks();
    void SetTargetWindow(HWND target);
#endif

    EntryList definitionEntries;
    std::vector<std::unique_ptr<CItemData>> collectionEntries;
    std::vector<HMENU> createdMenus;
    HBITMAP faceBitmap = nullptr;
    HBITMAP dividerBitmap = nullptr;
    HWND frameWnd = nullptr;
    // Set while another object's menus hold frameWnd's bar.
    bool waitingForBar = false;
    // The tag every menu of this object's set carries; 0 when none is shown.
    uintptr_t menuTag = 0;
    int32_t baseItemCount = 0;
    HMENU frameMenu = nullptr;
    HOOKPROC commandHookProc = nullptr;
    HOOKPROC selectHookProc = nullptr;
    // Whether this object holds a share of its thread's hooks, and
    // the window it wants the forwarded messages posted to.
    bool hooksInstalled = false;
    HWND hookTarget = nullptr;
    uint32_t hookThread = 0;  // the thread whose hooks this object shares

private:
#ifdef _WIN32
    void ReleaseHooks();
#endif
};

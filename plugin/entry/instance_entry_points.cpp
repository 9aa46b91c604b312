// The instance entry points: the record of an instance, its attachment to
// the browser-made plug-in window, and its teardown.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "plugin/entry/browser_services.h"
#include "plugin/entry/entry_points.h"
#include "plugin/entry/instance_data.h"
#include "plugin/entry/plugin_wnd.h"
#include "plugin/menubar/bar_owners.h"
#include "plugin/menus/bar_menu_data.h"

namespace {

constexpr char kFileNameAttribute[] = "filename";
constexpr char kAttachedStatus[] = " sURL ";

// Records made by NPP_New and not yet torn down, so that a record handed
// back in an already-set pdata is recognised as ours.
std::vector<InstanceData*>& LiveRecords() {
    static std::vector<InstanceData*> records;
    return records;
}

bool IsLiveRecord(const void* block) {
    const auto& records = LiveRecords();
    return std::find(records.begin(), records.end(), block) != records.end();
}

void ForgetRecord(InstanceData* data) {
    auto& records = LiveRecords();
    records.erase(std::remove(records.begin(), records.end(), data), records.end());
}

// The first "filename" attribute, whatever its letter case and even empty:
// its value goes into fileName and is requested. A value that does not fit
// fileName is refused rather than cut, since a cut name would fetch a
// different file; the instance then requests nothing and stays ready.
void TakeFileName(NPP instance, InstanceData* data, int16_t argc, char* argn[], char* argv[]) {
    if (argc <= 0 || !argn || !argv)
        return;
    for (int16_t i = 0; i < argc; ++i) {
        if (!argn[i] || lstrcmpiA(argn[i], kFileNameAttribute) != 0)
            continue;
        const char* value = argv[i];
        if (!value || std::strlen(value) > zorbit::kMaxFileNameChars)
            return;
        std::strcpy(data->fileName, value);
        data->fileRequested = 1;
        data->ready = 0;
        NPN_GetURL(instance, data->fileName, nullptr);
        return;
    }
}

void SetInstanceProperties(HWND hwnd, InstanceData* data) {
    SetPropA(hwnd, zorbit::kInstanceProperty, data);
    SetPropA(hwnd, data->propName, data);
}

// Only while they still lead to this record: another instance may have
// taken the window since.
void RemoveInstanceProperties(HWND hwnd, InstanceData* data) {
    if (!hwnd || !IsWindow(hwnd))
        return;
    if (GetPropA(hwnd, data->propName) == data)
        RemovePropA(hwnd, data->propName);
    if (GetPropA(hwnd, zorbit::kInstanceProperty) == data)
        RemovePropA(hwnd, zorbit::kInstanceProperty);
}

// Gives the window its own procedure back (the status timer stops first)
// and deletes the window object.
void ReleasePluginWnd(InstanceData* data) {
    CPluginWnd* pluginWnd = data->pluginWnd;
    data->pluginWnd = nullptr;
    if (!pluginWnd)
        return;
    pluginWnd->Detach();
    delete pluginWnd;
}

// Undoes an attachment to an earlier window before the instance attaches to
// a new one: one set of menus, hooks and window object per instance.
void DetachFromWindow(InstanceData* data) {
    ReleasePluginWnd(data);
    data->menus->RemoveMenus();
    RemoveInstanceProperties(data->hwnd, data);
    data->window = nullptr;
}

// Teardown in the reverse order of the attachment; the record is released
// through the browser and pdata no longer leads to it.
void DestroyRecord(NPP instance, InstanceData* data) {
    ForgetRecord(data);
    ReleasePluginWnd(data);
    delete data->menus;  // takes the menus off the bar and removes the hooks
    data->menus = nullptr;
    RemoveInstanceProperties(data->hwnd, data);
    if (instance->pdata == data)
        instance->pdata = nullptr;
    NPN_MemFree(data);
}

// Steps 6 to 13 of the attachment; false when the window is another
// instance's window object's.
bool AttachToWindow(NPP instance, InstanceData* data, NPWindow* window) {
    HWND hwnd = static_cast<HWND>(window->window);
    // Made first, so that running out of memory for it changes nothing.
    std::unique_ptr<CPluginWnd> pluginWnd(new CPluginWnd());
    if (data->hwnd)
        DetachFromWindow(data);
    data->hwnd = hwnd;
    SetInstanceProperties(hwnd, data);

    if (!data->menus->InstallMenus(zorbit::FrameOf(hwnd))) {
        DestroyWindow(hwnd);
        return true;
    }
    data->menus->InstallHooks();
    data->menus->SetTargetWindow(hwnd);
    NPN_Status(instance, kAttachedStatus);

    if (!pluginWnd->Attach(hwnd))
        return false;
    pluginWnd->npp = instance;
    data->pluginWnd = pluginWnd.release();

    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    data->window = window;
    return true;
}

}  // namespace

NPError NPP_New(char* type, NPP instance, uint16_t mode, int16_t argc, char* argn[], char* argv[],
                NPSavedData* saved) noexcept {
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    if (instance->pdata) {
        // The block is given up; pdata is cleared so that a later
        // NPP_Destroy cannot release it again.
        void* block = instance->pdata;
        if (IsLiveRecord(block))
            DestroyRecord(instance, static_cast<InstanceData*>(block));
        else
            NPN_MemFree(block);
        instance->pdata = nullptr;
        return NPERR_INVALID_INSTANCE_ERROR;
    }

    auto* data = static_cast<InstanceData*>(NPN_MemAlloc(sizeof(InstanceData)));
    instance->pdata = data;
    if (!data)
        return NPERR_OUT_OF_MEMORY_ERROR;
    data->window = nullptr;
    data->hwnd = nullptr;
    data->menus = nullptr;
    data->pluginWnd = nullptr;
    data->ready = 1;
    std::memset(data->propName, 0, sizeof(data->propName));
    std::strcpy(data->propName, zorbit::kInstanceDataProperty);
    std::memset(data->fileName, 0, sizeof(data->fileName));
    data->fileRequested = 0;
    // Out of memory anywhere below, the instance is not created: the browser
    // gets the record's own failure, and pdata holds null.
    try {
        LiveRecords().push_back(data);
        data->menus = new CBarMenuData();
        TakeFileName(instance, data, argc, argn, argv);
        data->menus->LoadCollections();
    } catch (...) {
        DestroyRecord(instance, data);
        return NPERR_OUT_OF_MEMORY_ERROR;
    }
    return NPERR_NO_ERROR;
}

NPError NPP_SetWindow(NPP instance, NPWindow* window) noexcept {
    if (!window)
        return NPERR_GENERIC_ERROR;
    if (!instance || !instance->pdata)
        return NPERR_INVALID_INSTANCE_ERROR;
    auto* data = static_cast<InstanceData*>(instance->pdata);
    HWND hwnd = static_cast<HWND>(window->window);
    if (!hwnd)
        return NPERR_NO_ERROR;
    if (!data->ready)
        return NPERR_NO_ERROR;
    if (data->hwnd == hwnd)
        return NPERR_NO_ERROR;
    // Refused before anything changes: the instance already on that window
    // keeps its properties, menus and hooks.
    if (CPluginWnd::Taken(hwnd))
        return NPERR_GENERIC_ERROR;
    // Failed half-way, nothing of the attachment stays; the next call tries
    // again.
    NPError result = NPERR_GENERIC_ERROR;
    try {
        if (AttachToWindow(instance, data, window))
            return NPERR_NO_ERROR;
    } catch (...) {
        result = NPERR_OUT_OF_MEMORY_ERROR;
    }
    DetachFromWindow(data);
    data->hwnd = nullptr;
    return result;
}

NPError NPP_Destroy(NPP instance, NPSavedData** save) noexcept {
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    auto* data = static_cast<InstanceData*>(instance->pdata);
    if (!data)
        return NPERR_INVALID_INSTANCE_ERROR;
    DestroyRecord(instance, data);
    return NPERR_NO_ERROR;
}

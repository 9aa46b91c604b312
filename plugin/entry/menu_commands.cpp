// What the plug-in window does with a chosen or highlighted menu item: open
// the entry's address in the browser, show the About box, or show the
// address in the status line a moment later.
#include <string>

#include "plugin/entry/about_box.h"
#include "plugin/entry/browser_services.h"
#include "plugin/entry/instance_data.h"
#include "plugin/entry/plugin_wnd.h"
#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"

namespace {

constexpr char kCollectionTarget[] = "_top";
constexpr char kDefinitionTarget[] = "Vantrel_Content";

CBarMenuData* MenusOf(HWND hwnd) {
    InstanceData* data = zorbit::InstanceOfWindow(hwnd);
    return data ? data->menus : nullptr;
}

// The url of collection entry 2998 - command, or empty text when the
// command names no collection item (separators carry no command).
std::string CollectionUrl(const CBarMenuData& menus, uint32_t command) {
    const int64_t index = static_cast<int64_t>(zorbit::kFirstCollectionCommand) - command;
    if (index < 0 || index >= static_cast<int64_t>(menus.collectionEntries.size()))
        return std::string();
    const CItemData& entry = *menus.collectionEntries[static_cast<size_t>(index)];
    if (entry.kind == Separator)
        return std::string();
    return std::string(entry.url);
}

}  // namespace

void CPluginWnd::OnPluginCommand(WPARAM wParam) {
    CBarMenuData* menus = MenusOf(hwnd_);
    if (!menus)
        return;
    const uint32_t command = static_cast<uint32_t>(wParam);
    if (command > zorbit::kDefinitionCommandBase) {
        const std::string url = menus->GetEntryUrl(command - zorbit::kDefinitionCommandBase);
        if (!url.empty())
            NPN_GetURL(npp, url.c_str(), kDefinitionTarget);
        return;
    }
    if (command == zorbit::kAboutCommand) {
        zorbit::ShowAboutBox(hwnd_);
        return;
    }
    const std::string url = CollectionUrl(*menus, command);
    if (!url.empty())
        NPN_GetURL(npp, url.c_str(), kCollectionTarget);
}

void CPluginWnd::OnPluginSelect(WPARAM wParam) {
    CBarMenuData* menus = MenusOf(hwnd_);
    if (!menus)
        return;
    const uint32_t item = static_cast<uint32_t>(wParam);
    if (item <= zorbit::kDefinitionCommandBase)
        return;
    std::string url = menus->GetEntryUrl(item - zorbit::kDefinitionCommandBase);
    if (url.empty())
        return;
    pendingUrl = std::move(url);
    // Restarted on every highlight: only the last of a quick run is shown.
    KillTimer(hwnd_, kStatusTimer);
    SetTimer(hwnd_, kStatusTimer, kStatusDelayMs, nullptr);
}

void CPluginWnd::OnTimer() {
    // Stopped before the browser is called: its status code may tear the
    // instance down, and this object with it.
    KillTimer(hwnd_, kStatusTimer);
    if (!pendingUrl.empty())
        NPN_Status(npp, pendingUrl.c_str());
}

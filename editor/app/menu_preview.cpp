#include "editor/app/menu_preview.h"

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"

MenuPreview::MenuPreview() : menus_(std::make_unique<CBarMenuData>()) {
    // The collection popup lists what the browser's lists.
    menus_->LoadCollections();
}

MenuPreview::~MenuPreview() = default;

void MenuPreview::Show(HWND frame, const std::vector<zorbit::MenuEntry>& entries) {
    zorbit::LoadPluginEntries(entries, *menus_);
    // InstallMenus takes out what an earlier call put in before it starts.
    menus_->InstallMenus(frame);
}

void MenuPreview::Clear() { menus_->RemoveMenus(); }

bool MenuPreview::Describe(UINT command, std::string& text) const {
    if (command < zorbit::kDividerCommand)
        return false;  // the editor's own
    if (command == zorbit::kDividerCommand) {
        text.clear();
        return true;
    }
    if (command == zorbit::kAboutCommand) {
        text = "About Zorbit (the plug-in shows its About box here)";
        return true;
    }
    if (command < zorbit::kDefinitionCommandBase) {
        const uint32_t first = zorbit::kFirstCollectionCommand;
        if (command > first || first - command >= menus_->collectionEntries.size())
            return false;
        text = menus_->collectionEntries[first - command]->url;
        return true;
    }
    const size_t index = command - zorbit::kDefinitionCommandBase;
    if (index >= menus_->definitionEntries.size())
        return false;
    const CItemData& entry = *menus_->definitionEntries[index];
    text = entry.url.empty() ? "\"" + std::string(entry.name) + "\" has no address and opens nothing"
                             : std::string(entry.url);
    return true;
}

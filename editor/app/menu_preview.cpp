#include "editor/app/menu_preview.h"

#include "plugin/menus/bar_menu_data.h"
#include "plugin/menus/command_ids.h"

MenuPreview::MenuPreview() : menus_(std::make_unique<CBarMenuData>()) {}

MenuPreview::~MenuPreview() = default;

void MenuPreview::Show(HWND frame, const std::vector<zorbit::MenuEntry>& entries) {
    menus_->definitionEntries.clear();
    menus_->definitionEntries.reserve(entries.size());
    for (const zorbit::MenuEntry& entry : entries)
        menus_->definitionEntries.push_back(
            std::make_unique<CItemData>(entry.name, entry.url, entry.kind, entry.depth));
    // InstallMenus takes out what an earlier call put in before it starts.
    menus_->InstallMenus(frame);
}

void MenuPreview::Clear() { menus_->RemoveMenus(); }

bool MenuPreview::Describe(UINT command, std::string& text) const {
    if (command == zorbit::kDividerCommand) {
        text.clear();
        return true;
    }
    if (command == zorbit::kAboutCommand) {
        text = "About Zorbit (the plug-in shows its About box here)";
        return true;
    }
    if (command < zorbit::kDefinitionCommandBase)
        return false;
    const size_t index = command - zorbit::kDefinitionCommandBase;
    if (index >= menus_->definitionEntries.size())
        return false;
    const CItemData& entry = *menus_->definitionEntries[index];
    text = entry.url.empty() ? "\"" + entry.name + "\" has no address and opens nothing"
                             : entry.url;
    return true;
}

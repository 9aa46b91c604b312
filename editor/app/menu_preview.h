// The live preview: the definition's menus in the editor's own menu bar,
// after the editor's menus, put there by the plug-in's menu code so that
// they look exactly as in the browser.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/document/definition_document.h"

class CBarMenuData;

class MenuPreview {
public:
    MenuPreview();
    ~MenuPreview();
    MenuPreview(const MenuPreview&) = delete;
    MenuPreview& operator=(const MenuPreview&) = delete;

    // Replaces the preview menus in the frame's bar with the plug-in's
    // entries of the page as it would be saved (ReadEditedPage's menus).
    void Show(HWND frame, const std::vector<zorbit::MenuEntry>& entries);
    // Takes them out again.
    void Clear();

    // True for a command of the preview menus; `text` is what the status
    // bar shows for it (an item's address).
    bool Describe(UINT command, std::string& text) const;

private:
    std::unique_ptr<CBarMenuData> menus_;
};

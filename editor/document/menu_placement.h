// In which title or submenu each entry lands when the plug-in puts the
// definition into the menu bar. The walk follows the plug-in's own (a level
// and a stack of open menus, no deeper than the plug-in opens them), so the
// tree nests as the menus do.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/document/definition_document.h"
#include "plugin/menus/menu_nesting.h"

using zorbit::kNoParent;

// For each entry, the index of the title or submenu entry holding it;
// kNoParent for a title and for an entry in no menu.
std::vector<size_t> ParentEntries(const std::vector<zorbit::MenuEntry>& entries);

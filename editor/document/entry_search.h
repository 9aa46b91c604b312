// Find in the editor: the next entry whose caption or address holds a text.
#pragma once

#include <string_view>
#include <vector>

#include "editor/document/definition_document.h"

// The first entry after `after` (from the start for zorbit::kNoLine) whose
// name or address holds `text`, letters compared without case; the search
// goes round past the end. zorbit::kNoLine when none does, or `text` is empty.
size_t FindEntry(const std::vector<zorbit::MenuEntry>& entries, std::string_view text, size_t after);

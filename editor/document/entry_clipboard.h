// Entries on the clipboard as definition text: a block copied from the tree
// pastes into a text editor as the lines a page author writes, and such
// lines (or a whole page) paste back as entries.
#pragma once

#include <string>
#include <string_view>

#include "editor/document/line_edits.h"

// The block that starts at `index`, one definition line each, every line
// ended by CR LF.
std::string ClipboardText(const DefinitionLines& lines, size_t index);

// The definition lines the plug-in reads from `text`: a page with its embed
// tag, or bare definition lines. The blocks come out whole: an "END" that
// closes nothing is dropped and what stays open is closed.
DefinitionLines LinesFromText(std::string_view text);

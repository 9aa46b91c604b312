// A page names itself in its embed tag's "filename" attribute; a copy saved
// under another name must name the copy, or the browser would show the
// menus of the file it was copied from.
#pragma once

#include <string>

// In the page text before the definition, changes the embed tag's filename
// from `oldName` to `newName` when it names `oldName` (compared without
// letter case, any folder part kept). True when it changed something.
bool RetargetEmbed(std::string& preamble, const std::string& oldName, const std::string& newName);

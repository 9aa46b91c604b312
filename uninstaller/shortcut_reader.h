// Reading a shortcut file back through the shell's link object.
#pragma once

#include <string>

struct ShortcutFields {
    std::string target;     // the path as stored, not resolved
    std::string arguments;
};

// False when the file is not a shortcut the shell can load.
bool ReadShortcut(const std::string& path, ShortcutFields& fields);

// The editor's own commands: one table gives each its menu entry, its
// keyboard shortcut and its line in the help text.
#pragma once

#include <windows.h>

#include <string>

// File, Edit and Help, in a new menu bar the caller attaches to its window.
HMENU CreateEditorMenuBar();
// The shortcuts of the table. Insert and Delete act in the tree only, so
// that the edit fields keep theirs.
HACCEL CreateEditorAccelerators();
// Help > Keyboard and Commands: every command with its shortcut and what it
// does.
std::string EditorHelpText();

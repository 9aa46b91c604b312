// The editor's own menus and keyboard shortcuts.
#pragma once

#include <windows.h>

// File, Edit and Help, in a new menu bar the caller attaches to its window.
HMENU CreateEditorMenuBar();
// Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Z, F2, Ctrl+Up, Ctrl+Down. Insert and Delete
// act in the tree only, so that the edit fields keep theirs.
HACCEL CreateEditorAccelerators();

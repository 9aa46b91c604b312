// Command, control and resource numbers of the editor. The editor's own
// commands stay below 100: the preview menus use the plug-in's numbers
// (100 the divider, 2998 - i collections, 2999 About, 3000 + j entries).
#pragma once

#define IDI_EDITOR 1
#define IDD_SAVE_PROMPT 10
#define IDC_SAVE_PROMPT_TEXT 11
#define IDC_DONT_SAVE 12

#define ID_FILE_NEW 20
#define ID_FILE_OPEN 21
#define ID_FILE_SAVE 22
#define ID_FILE_SAVE_AS 23
#define ID_FILE_EXIT 24
#define ID_EDIT_UNDO 30
#define ID_EDIT_ADD_TITLE 31
#define ID_EDIT_ADD_SUBMENU 32
#define ID_EDIT_ADD_ITEM 33
#define ID_EDIT_ADD_SEPARATOR 34
#define ID_EDIT_ADD_BREAK 35
#define ID_EDIT_DELETE 36
#define ID_EDIT_MOVE_UP 37
#define ID_EDIT_MOVE_DOWN 38
#define ID_EDIT_RENAME 39
#define ID_EDIT_NEXT_PANE 40
#define ID_EDIT_REDO 41
#define ID_EDIT_CUT 42
#define ID_EDIT_COPY 43
#define ID_EDIT_PASTE 44
#define ID_EDIT_DUPLICATE 45
#define ID_EDIT_FIND 46
#define ID_EDIT_FIND_NEXT 47
#define ID_EDIT_OPEN_ADDRESS 48
#define ID_FILE_IMPORT_FAVORITES 25
#define ID_FILE_IMPORT_BOOKMARKS 26
#define ID_HELP_ABOUT 50
#define ID_HELP_COMMANDS 51

#define IDC_TREE 1001
#define IDC_CAPTION 1002
#define IDC_ADDRESS 1003
#define IDC_PROBLEMS 1004
#define IDC_STATUS 1005
#define IDC_KIND 1006
#define IDC_CAPTION_LABEL 1007
#define IDC_ADDRESS_LABEL 1008
#define IDC_PROBLEMS_LABEL 1009

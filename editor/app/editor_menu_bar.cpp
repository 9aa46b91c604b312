#include "editor/app/editor_menu_bar.h"

#include "editor/app/editor_ids.h"

namespace {

struct Command {
    int menu;   // 0 File, 1 Edit, 2 Help
    UINT id;    // 0 for a separator
    const char* text;
    const char* shortcut;  // as the menu shows it; null for none
    BYTE keyFlags;         // the accelerator; 0 for none
    WORD key;
    const char* help;
};

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;

const Command kCommands[] = {
    {0, ID_FILE_NEW, "&New", "Ctrl+N", kCtrl, 'N', "starts a new page."},
    {0, ID_FILE_OPEN, "&Open...", "Ctrl+O", kCtrl, 'O', "opens a page."},
    {0, ID_FILE_SAVE, "&Save", "Ctrl+S", kCtrl, 'S', "saves the page; the previous version stays as NAME.bak."},
    {0, ID_FILE_SAVE_AS, "Save &As...", nullptr, 0, 0, "saves the page under another name."},
    {0, 0, nullptr, nullptr, 0, 0, nullptr},
    {0, ID_FILE_IMPORT_FAVORITES, "Import Internet Explorer &Favorites", "Ctrl+I", kCtrl, 'I',
     "adds your Favorites folder to the page: each folder a menu, each favourite a link."},
    {0, ID_FILE_IMPORT_BOOKMARKS, "Import Netscape &Bookmarks...", "Ctrl+B", kCtrl, 'B',
     "adds a bookmark file to the page the same way."},
    {0, 0, nullptr, nullptr, 0, 0, nullptr},
    {0, ID_FILE_EXIT, "E&xit", "Alt+F4", 0, 0, "closes the editor, asking first about unsaved changes."},
    {1, ID_EDIT_UNDO, "&Undo", "Ctrl+Z", kCtrl, 'Z', "takes back the last change."},
    {1, ID_EDIT_REDO, "&Redo", "Ctrl+Y", kCtrl, 'Y', "makes the change Undo took back again."},
    {1, 0, nullptr, nullptr, 0, 0, nullptr},
    {1, ID_EDIT_CUT, "Cu&t", "Ctrl+X", kCtrl, 'X', "puts the selected entry on the clipboard and takes it out."},
    {1, ID_EDIT_COPY, "&Copy", "Ctrl+C", kCtrl, 'C',
     "puts the selected entry, with all it holds, on the clipboard as definition lines."},
    {1, ID_EDIT_PASTE, "&Paste", "Ctrl+V", kCtrl, 'V',
     "adds the definition lines on the clipboard after the selected entry (into a selected menu)."},
    {1, ID_EDIT_DUPLICATE, "Dup&licate", "Ctrl+D", kCtrl, 'D', "copies the selected entry right after it."},
    {1, 0, nullptr, nullptr, 0, 0, nullptr},
    {1, ID_EDIT_FIND, "&Find...", "Ctrl+F", kCtrl, 'F', "finds an entry by its caption or address."},
    {1, ID_EDIT_FIND_NEXT, "Find &Next", "F3", FVIRTKEY, VK_F3, "finds the next entry with the same text."},
    {1, 0, nullptr, nullptr, 0, 0, nullptr},
    {1, ID_EDIT_ADD_TITLE, "Add Titl&e", nullptr, 0, 0, "adds a menu to the browser's menu bar."},
    {1, ID_EDIT_ADD_SUBMENU, "Add Sub&menu", nullptr, 0, 0, "adds a submenu."},
    {1, ID_EDIT_ADD_ITEM, "Add &Item", "Ins", 0, 0, "adds a link."},
    {1, ID_EDIT_ADD_SEPARATOR, "Add &Separator", nullptr, 0, 0, "adds a separator line."},
    {1, ID_EDIT_ADD_BREAK, "Add Column &Break", nullptr, 0, 0, "starts a new column."},
    {1, 0, nullptr, nullptr, 0, 0, nullptr},
    {1, ID_EDIT_RENAME, "C&hange Caption", "F2", FVIRTKEY, VK_F2, "puts the caret in the caption."},
    {1, ID_EDIT_DELETE, "&Delete", "Del", 0, 0, "takes out the selected entry with all it holds."},
    {1, ID_EDIT_MOVE_UP, "M&ove Up", "Ctrl+Up", kCtrl, VK_UP,
     "moves the entry up; at the top of its menu it leaves it. Dragging in the tree moves entries too."},
    {1, ID_EDIT_MOVE_DOWN, "Move Do&wn", "Ctrl+Down", kCtrl, VK_DOWN,
     "moves the entry down; at the bottom of its menu it leaves it."},
    {1, ID_EDIT_OPEN_ADDRESS, "Open &Address", "Ctrl+Enter", kCtrl, VK_RETURN,
     "opens the selected link with your browser; a relative address from the page's folder."},
    {2, ID_HELP_COMMANDS, "&Keyboard and Commands", "F1", FVIRTKEY, VK_F1, "shows this list."},
    {2, ID_HELP_ABOUT, "&About Zorbit Editor", nullptr, 0, 0, "says what the editor is for."},
};

// The menu text without its '&' and "...".
std::string Plain(const char* text) {
    std::string plain;
    for (const char* c = text; *c; ++c) {
        if (*c != '&')
            plain += *c;
    }
    if (plain.size() > 3 && plain.compare(plain.size() - 3, 3, "...") == 0)
        plain.resize(plain.size() - 3);
    return plain;
}

}  // namespace

HMENU CreateEditorMenuBar() {
    static const char* const names[] = {"&File", "&Edit", "&Help"};
    HMENU bar = CreateMenu();
    for (int menu = 0; menu < 3; ++menu) {
        HMENU popup = CreatePopupMenu();
        for (const Command& command : kCommands) {
            if (command.menu != menu)
                continue;
            if (command.id == 0) {
                AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::string text = command.text;
            if (command.shortcut)
                text += std::string("\t") + command.shortcut;
            AppendMenuA(popup, MF_STRING, command.id, text.c_str());
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), names[menu]);
    }
    return bar;
}

HACCEL CreateEditorAccelerators() {
    ACCEL keys[sizeof kCommands / sizeof kCommands[0]];
    int count = 0;
    for (const Command& command : kCommands) {
        if (command.keyFlags)
            keys[count++] = {command.keyFlags, command.key, static_cast<WORD>(command.id)};
    }
    return CreateAcceleratorTableA(keys, count);
}

std::string EditorHelpText() {
    std::string text;
    for (const Command& command : kCommands) {
        if (command.id == 0)
            continue;
        text += Plain(command.text);
        if (command.shortcut)
            text += std::string(" (") + command.shortcut + ")";
        text += std::string(": ") + command.help + "\n";
    }
    return text;
}

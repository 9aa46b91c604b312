#include "editor/app/editor_menu_bar.h"

#include "editor/app/editor_ids.h"

namespace {

struct MenuLine {
    UINT id;  // 0 for a separator
    const char* text;
};

HMENU Popup(const MenuLine* lines, size_t count) {
    HMENU popup = CreatePopupMenu();
    for (size_t i = 0; i < count; ++i) {
        if (lines[i].id == 0)
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(popup, MF_STRING, lines[i].id, lines[i].text);
    }
    return popup;
}

}  // namespace

HMENU CreateEditorMenuBar() {
    static const MenuLine file[] = {
        {ID_FILE_NEW, "&New\tCtrl+N"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O"},
        {ID_FILE_SAVE, "&Save\tCtrl+S"},
        {ID_FILE_SAVE_AS, "Save &As..."},
        {0, nullptr},
        {ID_FILE_EXIT, "E&xit"},
    };
    static const MenuLine edit[] = {
        {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
        {0, nullptr},
        {ID_EDIT_ADD_TITLE, "Add &Title"},
        {ID_EDIT_ADD_SUBMENU, "Add Sub&menu"},
        {ID_EDIT_ADD_ITEM, "Add &Item\tIns"},
        {ID_EDIT_ADD_SEPARATOR, "Add &Separator"},
        {ID_EDIT_ADD_BREAK, "Add Column &Break"},
        {0, nullptr},
        {ID_EDIT_RENAME, "&Change Caption\tF2"},
        {ID_EDIT_DELETE, "&Delete\tDel"},
        {ID_EDIT_MOVE_UP, "Move &Up\tCtrl+Up"},
        {ID_EDIT_MOVE_DOWN, "Move Do&wn\tCtrl+Down"},
    };
    static const MenuLine help[] = {
        {ID_HELP_ABOUT, "&About Zorbit Editor"},
    };
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(file, sizeof file / sizeof file[0])), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(edit, sizeof edit / sizeof edit[0])), "&Edit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(help, sizeof help / sizeof help[0])), "&Help");
    return bar;
}

HACCEL CreateEditorAccelerators() {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
        {FVIRTKEY, VK_F2, ID_EDIT_RENAME},
        {FVIRTKEY | FCONTROL, VK_UP, ID_EDIT_MOVE_UP},
        {FVIRTKEY | FCONTROL, VK_DOWN, ID_EDIT_MOVE_DOWN},
    };
    return CreateAcceleratorTableA(keys, sizeof keys / sizeof keys[0]);
}

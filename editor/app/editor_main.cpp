#include <windows.h>
#include <commctrl.h>

#include <string>

#include "editor/app/editor_window.h"
#include "plugin/menubar/plugin_module.h"

namespace {

// The user's own collection page, in the folder of this program (the
// shortcut starts it there, but the folder is taken from the program).
std::string CollectionPage() {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
    return folder + "\\TempBM.htm";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The preview's pictures come from the plug-in's resources, which this
    // program carries too.
    SetPluginModule(instance);

    EditorWindow window(instance);
    if (!window.Create(show, CollectionPage()))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (window.hwnd() && window.TranslateKeys(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

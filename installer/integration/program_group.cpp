#include "common/owned_handles.h"
#include "installer/integration/install_steps.h"

bool CreateProgramGroup(InstallState& state) {
    if (state.productDirectory.empty())
        return false;
    if (!IsFullPath(state.programsFolder)) {
        ShowStepMessage("The Programs folder is unknown, so no program group for Zorbit was made.");
        return false;
    }
    std::string group = state.programsFolder + "\\Zorbit";
    // An existing folder matches through its own entries: the group is kept
    // as the user left it.
    WIN32_FIND_DATAA found;
    OwnedFind search(FindFirstFileA((group + "\\*.*").c_str(), &found));
    if (search)
        return true;
    if (!CreateDirectoryA(group.c_str(), nullptr))
        return false;
    HRESULT editor = CreateGroupLink(state, state.productDirectory + "\\ZBEditor.exe", group + "\\ZBEditor.LNK",
                                     "Zorbit Editor", 'p');
    HRESULT uninstaller = CreateGroupLink(state, state.productDirectory + "\\Uninstall.exe",
                                          group + "\\Uninstall.LNK", "Zorbit Uninstall", 'g');
    return SUCCEEDED(editor) && SUCCEEDED(uninstaller);
}

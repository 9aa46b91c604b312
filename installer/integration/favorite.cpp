#include "common/owned_handles.h"
#include "installer/integration/install_steps.h"

namespace {

// An earlier favourite goes first; one that cannot be deleted stops the step.
void DeleteEarlierFavorite(const std::string& favoritePath) {
    WIN32_FIND_DATAA found;
    OwnedFind search(FindFirstFileA(favoritePath.c_str(), &found));
    if (!search)
        return;
    do {
        if (!DeleteFileA(favoritePath.c_str())) {
            DWORD error = GetLastError();
            throw FileError("The favourite " + favoritePath + " could not be deleted (error " +
                            std::to_string(error) + ").");
        }
    } while (FindNextFileA(search.get(), &found));
}

}  // namespace

bool AddFavorite(InstallState& state) {
    std::string favorites = GetShellFolders(state);
    std::string favoritePath = favorites + "\\Welcome to Zorbit.url";
    // Without a product directory there is no start page to point at.
    if (state.productDirectory.empty())
        return true;
    // A favourite in whatever folder happens to be current would be lost.
    if (!IsFullPath(favorites)) {
        ShowStepMessage("The Favorites folder is unknown, so no favourite for Zorbit was added.");
        return true;
    }

    DeleteEarlierFavorite(favoritePath);

    std::string templatePath = state.productDirectory + "\\Zorbit.url";
    CopyFileA(templatePath.c_str(), favoritePath.c_str(), FALSE);

    std::string address = "file:///" + state.productDirectory + "\\BatchBM.htm";
    if (WritePrivateProfileStringA("InternetShortcut", "URL", address.c_str(), favoritePath.c_str()))
        WriteRecordValue(state.RecordedProduct(), kFavoriteKey, favoritePath);
    return true;
}

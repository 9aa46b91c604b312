#include <vector>

#include "uninstaller/removal_steps.h"

RemovalResult RemoveFavorite(const Product& product, const std::string& path) {
    switch (KindOf(path)) {
    case PathKind::Missing: return {Outcome::AlreadyGone, ""};
    case PathKind::Folder: return {Outcome::NotOurs, "it is a folder"};
    case PathKind::File: break;
    }
    std::vector<char> url(4 * MAX_PATH);
    GetPrivateProfileStringA("InternetShortcut", "URL", "", url.data(), static_cast<DWORD>(url.size()), path.c_str());
    if (!SameText(url.data(), FavoriteUrl(product)))
        return {Outcome::NotOurs, "it opens another address"};
    return DeleteOwnFile(path);
}

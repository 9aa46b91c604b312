#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "common/file_replacement.h"
#include "uninstaller/removal_steps.h"

namespace {

const char kZorbitMimeType[] = "application/vnd.vantrel-zorbit";

bool ListsZorbitType(const std::string& types) {
    // Browsers read several types separated by "|".
    size_t start = 0;
    for (;;) {
        size_t bar = types.find('|', start);
        if (SameText(types.substr(start, bar == std::string::npos ? std::string::npos : bar - start),
                     kZorbitMimeType))
            return true;
        if (bar == std::string::npos)
            return false;
        start = bar + 1;
    }
}

// The builds this product ships: a plug-in file of the same bytes is the one
// this product's installer copied; another installation's build is not.
bool IsThisProductsBuild(const Product& product, const std::string& path) {
    std::string installed;
    if (!ReadFileText(path, installed))
        return false;
    for (const char* build : {"\\DemoIe.dll", "\\DemoNs.dll"}) {
        std::string shipped;
        if (ReadFileText(product.directory + build, shipped) && shipped == installed)
            return true;
    }
    return false;
}

}  // namespace

bool IsZorbitPlugin(const std::string& path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        return false;

    // The block browsers read, then every language the resource lists.
    std::vector<std::string> blocks = {"040904e4"};
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length)) {
        for (UINT i = 0; i < length / sizeof(Translation); ++i) {
            char block[16];
            std::snprintf(block, sizeof block, "%04x%04x", translations[i].language, translations[i].codePage);
            blocks.push_back(block);
        }
    }
    for (const std::string& block : blocks) {
        std::string query = "\\StringFileInfo\\" + block + "\\MIMEType";
        char* value = nullptr;
        UINT valueLength = 0;
        if (VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &valueLength) && value &&
            valueLength > 0 && ListsZorbitType(std::string(value, strnlen(value, valueLength))))
            return true;
    }
    return false;
}

RemovalResult RemovePluginFile(const Product& product, const std::string& path) {
    switch (KindOf(path)) {
    case PathKind::Missing: return {Outcome::AlreadyGone, ""};
    case PathKind::Folder: return {Outcome::NotOurs, "it is a folder"};
    case PathKind::File: break;
    }
    if (!IsZorbitPlugin(path))
        return {Outcome::NotOurs, "not a build of the Zorbit plug-in"};
    if (!IsThisProductsBuild(product, path))
        return {Outcome::NotOurs, "another installation's build of the plug-in"};
    if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY)
        return {Outcome::Failed, "the file is read-only"};
    if (DeleteFileA(path.c_str()))
        return {Outcome::Removed, ""};
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND)
        return {Outcome::AlreadyGone, ""};
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION)
        return {Outcome::Failed, SystemReason(error)};
    // A browser still has it loaded or open.
    if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        return {Outcome::InUse, ""};
    return {Outcome::Failed, "in use, and Windows refused to delete it at restart: " + SystemReason(GetLastError())};
}

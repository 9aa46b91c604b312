#include "common/bookmark_entry.h"
#include "installer/integration/bookmark_file.h"
#include "common/owned_handles.h"
#include "installer/integration/install_steps.h"

#include <vector>

namespace {

// Every match of the pattern, in the order the search yields them, taken
// before any file is replaced so that no rewritten file is met twice.
std::vector<std::string> FindBookmarkFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found;
    OwnedFind search(FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return paths;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return paths;
}

}  // namespace

bool AddNetscapeBookmark(InstallState& state) {
    GetShellFolders(state);
    std::string userDirectory = GetNetscapeUserDirectory();
    // A relative one would name other files for each current directory.
    if (!IsFullPath(userDirectory))
        return false;
    // Without a product directory there is no start page to point at.
    if (state.productDirectory.empty())
        return true;

    std::string pattern = userDirectory + "\\bookmark*.htm";
    WriteRecordValue(state.RecordedProduct(), kBookmarkKey, pattern);

    for (const std::string& path : FindBookmarkFiles(userDirectory, pattern))
        RewriteBookmarkFile(path, state.productDirectory);
    return true;
}

#include "installer/integration/pending_delete.h"

#include <windows.h>

#include <vector>

#include "common/registry_key.h"

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

// The names are stored in the system's own form, "\??\C:\...".
bool NamesPath(const std::string& stored, const std::string& path) {
    std::string name = stored.compare(0, 4, "\\??\\") == 0 ? stored.substr(4) : stored;
    return lstrcmpiA(name.c_str(), path.c_str()) == 0;
}

}  // namespace

bool CancelDeleteAtRestart(const std::string& path) {
    OwnedKey key;
    if (!OpenKey(key, HKEY_LOCAL_MACHINE, kSessionManager, KEY_QUERY_VALUE | KEY_SET_VALUE))
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), kPending, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return true;
    std::vector<char> data(size + 2, '\0');
    if (RegQueryValueExA(key.get(), kPending, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    // Pairs of a source and a target; an empty target is a deletion.
    std::vector<std::string> names;
    for (size_t at = 0; at < size;) {
        std::string name(data.data() + at);
        at += name.size() + 1;
        names.push_back(name);
    }
    while (!names.empty() && names.back().empty() && names.size() % 2 == 1)
        names.pop_back();
    std::string kept;
    bool cancelled = false;
    for (size_t i = 0; i + 1 < names.size(); i += 2) {
        if (names[i + 1].empty() && NamesPath(names[i], path)) {
            cancelled = true;
            continue;
        }
        kept += names[i] + '\0' + names[i + 1] + '\0';
    }
    if (!cancelled)
        return true;
    if (kept.empty())
        return RegDeleteValueA(key.get(), kPending) == ERROR_SUCCESS;
    kept += '\0';
    return RegSetValueExA(key.get(), kPending, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                          static_cast<DWORD>(kept.size())) == ERROR_SUCCESS;
}

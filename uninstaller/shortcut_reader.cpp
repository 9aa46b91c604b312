#include "uninstaller/shortcut_reader.h"

#include <windows.h>
#include <shlobj.h>

#include "common/owned_handles.h"

bool ReadShortcut(const std::string& path, ShortcutFields& fields) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.receive()))) ||
        !link)
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.receive()))) || !file)
        return false;
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) == 0)
        return false;
    if (FAILED(file->Load(widePath, STGM_READ)))
        return false;
    char buffer[4 * MAX_PATH] = "";
    if (FAILED(link->GetPath(buffer, sizeof buffer, nullptr, SLGP_RAWPATH)))
        buffer[0] = '\0';
    fields.target = buffer;
    buffer[0] = '\0';
    if (FAILED(link->GetArguments(buffer, sizeof buffer)))
        buffer[0] = '\0';
    fields.arguments = buffer;
    return true;
}

#include "refusing_folder.h"

#include "test_support.h"

#include <windows.h>

namespace {

std::string HostPath(const std::string& path) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto toHost = reinterpret_cast<UnixFileName>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    std::wstring wide(path.begin(), path.end());
    char* host = toHost ? toHost(wide.c_str()) : nullptr;
    if (!host)
        return std::string();
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Runs a host shell command and waits for it through a marker file, since
// Wine starts host programs without a handle to wait on.
bool RunHostCommand(const std::string& command) {
    TempFolder markers("zbh");
    std::string marker = markers / "done";
    std::string line = "Z:\\bin\\sh -c \"" + command + "; touch '" + HostPath(marker) + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int i = 0; i < 200 && !Exists(marker); ++i)
        Sleep(25);
    return Exists(marker);
}

}  // namespace

RefusingFolder::RefusingFolder(const std::string& folder) : folder_(folder), hostPath_(HostPath(folder)) {
    if (!Exists("Z:\\usr\\bin\\chattr"))
        hostPath_.clear();
    if (hostPath_.empty())
        return;
    bool ran = RunHostCommand("chattr +i '" + hostPath_ + "'");
    std::string probe = folder_ + "\\probe";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    refuses_ = ran && file == INVALID_HANDLE_VALUE;
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        DeleteFileA(probe.c_str());
    }
}

RefusingFolder::~RefusingFolder() {
    if (!hostPath_.empty())
        RunHostCommand("chattr -i '" + hostPath_ + "'");
}

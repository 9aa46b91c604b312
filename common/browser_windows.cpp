#include "common/browser_windows.h"

#include <tlhelp32.h>

#include "common/owned_handles.h"

namespace {

struct Browser {
    const char* classPrefix;
    const char* program;
};

// Internet Explorer keeps its frame class from 3.x on; Netscape's frames
// carry its name, from Navigator's own to the later ones built on Mozilla.
const Browser kBrowsers[] = {
    {"IEFrame", "iexplore.exe"},
    {"Netscape", "netscape.exe"},
    {"Netscape", "netscp.exe"},
    {"MozillaWindowClass", "netscp.exe"},
    {"MozillaWindowClass", "netscape.exe"},
};

bool StartsWithText(const std::string& text, const char* prefix) {
    size_t length = lstrlenA(prefix);
    return text.size() >= length &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.data(), static_cast<int>(length), prefix,
                          static_cast<int>(length)) == CSTR_EQUAL;
}

// The program file name of the window's process, from the process list
// (which names it without its folder).
std::string ProgramOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    OwnedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return std::string();
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::string program;
    for (BOOL more = Process32First(snapshot.get(), &entry); more && program.empty(); more = Process32Next(snapshot.get(), &entry))
        if (entry.th32ProcessID == pid)
            program = entry.szExeFile;
    snapshot.reset();
    size_t slash = program.find_last_of("\\/");
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

struct Search {
    bool internetExplorerOnly;
    HWND found;
};

BOOL CALLBACK FindFrame(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(window))
        return TRUE;
    char windowClass[256] = "";
    GetClassNameA(window, windowClass, sizeof windowClass);
    // The process list is read only for a window of a browser's class.
    bool browserClass = false;
    for (const Browser& browser : kBrowsers)
        browserClass = browserClass || StartsWithText(windowClass, browser.classPrefix);
    if (!browserClass)
        return TRUE;
    std::string program = ProgramOf(window);
    if (!IsBrowserFrame(windowClass, program) ||
        (search->internetExplorerOnly && lstrcmpiA(program.c_str(), "iexplore.exe") != 0))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND Find(bool internetExplorerOnly) {
    Search search{internetExplorerOnly, nullptr};
    EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool IsBrowserFrame(const std::string& windowClass, const std::string& programName) {
    for (const Browser& browser : kBrowsers)
        if (StartsWithText(windowClass, browser.classPrefix) &&
            CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, programName.c_str(), -1, browser.program, -1) ==
                CSTR_EQUAL)
            return true;
    return false;
}

HWND FindOpenBrowser() { return Find(false); }

HWND FindOpenInternetExplorer() { return Find(true); }

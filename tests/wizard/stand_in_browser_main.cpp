// Stands in for the browser in the wizard's tests: writes the command line
// it was started with to "launched.txt" beside itself, in one step.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return 1;
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    std::string scratch = folder + "launched.tmp";
    HANDLE file = CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
    MoveFileExA(scratch.c_str(), (folder + "launched.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}

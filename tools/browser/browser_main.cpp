// browser.exe [-plugins <dir>] [-log <file>] [<page>]
#include <windows.h>

#include "tools/browser/browser_frame.h"
#include "tools/browser/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    using namespace zorbit::browser;
    CommandLine args = ParseArguments(SkipProgramName(GetCommandLineA()));
    BrowserOptions options;
    options.pluginDir = args.pluginDir;
    options.logFile = args.logFile;
    BrowserFrame frame(options);
    if (!frame.Create(showCommand)) return 1;
    if (!args.page.empty()) frame.OpenPage(args.page);
    return RunMessageLoop(frame);
}

// The installer's start-up and exit.
#pragma once

class CMainSheet;

class InstallApp {
public:
    // Runs the wizard and, after Finish, the browser. Returns false: no
    // message loop is to follow.
    bool InitInstance();
    int ExitInstance();
};

// What follows the sheet: the browser after Finish, nothing otherwise.
// True when a browser was started.
bool CompleteInstall(const CMainSheet& sheet, int sheetResult);

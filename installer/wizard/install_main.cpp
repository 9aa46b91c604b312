#include <windows.h>

#include "installer/wizard/install_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InstallApp app;
    app.InitInstance();
    return app.ExitInstance();
}

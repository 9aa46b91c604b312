#include "placeholder_program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ShowPlaceholder("Zorbit Uninstall",
                           "Zorbit Uninstall\n\nThe uninstaller is delivered separately.\n"
                           "To remove Zorbit by hand, delete npzrbit.dll from the browser's "
                           "Plugins folder, the Zorbit program group and the "
                           "\"Welcome to Zorbit\" favourite.");
}

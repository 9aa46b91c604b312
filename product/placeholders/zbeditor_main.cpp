#include "placeholder_program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ShowPlaceholder("Zorbit Editor",
                           "Zorbit Editor\n\nThe collection editor is delivered separately.\n"
                           "Until it is installed, edit TempBM.htm in this folder with any text "
                           "editor: one menu line per link.");
}

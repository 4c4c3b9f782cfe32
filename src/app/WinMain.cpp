// The program's entry point.
#include "app/App.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return ProgramEntry(instance, showCommand);
}

// The six command buttons and 36 colour buttons: their tables, creation and owner drawing.
#pragma once
#include <windows.h>

struct ButtonRecord {
    HWND window;
    int id;
    int x;
    int y;
    int width;
    int height;
};

extern ButtonRecord CommandButtons[6];
extern ButtonRecord ColourButtons[36];

int CreateButtons(HWND parent);
void CreateColourButtons(HWND parent);
int DrawButton(const DRAWITEMSTRUCT* item);

// The display palette and drawing the page at its place in the main window.
#pragma once
#include <windows.h>

#include "colouring/ColourTable.h"

extern HPALETTE hPalette;         // the display palette, or null
extern HPALETTE hPalettePrevious; // the palette it displaced, put back at shutdown

int BuildPalette(HWND window);
int ShowPage();
void ReleasePalette(HWND window);
// Selects the display palette into a context as a foreground palette and realises it.
void SelectDisplayPalette(HDC dc);

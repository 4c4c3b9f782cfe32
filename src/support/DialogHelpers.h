// Small helpers every dialog of the program uses: centring on the screen and the white background.
#pragma once
#include <windows.h>

// Moves the dialog, keeping its size, to the centre of the 800 x 600 screen the program runs at,
// not of the measured one; without repainting.
void CentreDialog(HWND dialog);
// The answer to a dialog's or static control's background request: the stock white brush, and white
// behind the text.
INT_PTR WhiteBackground(HDC dc);

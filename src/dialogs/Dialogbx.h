// The intro, info and about dialogs, and the developer combo-box filler.
#pragma once
#include <windows.h>

#include "support/DialogLayer.h"

// The left offset that centres a width of pixels in a width of dialog units, scaled with the
// vertical dialog base unit the dialogs are laid out with.
int CentreOffset(int dialogUnits, int pixels);
INT_PTR CALLBACK IntroDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// How each opens (through RunDialog).
extern const DialogSpec IntroDialog, InfoDialog, AboutDialog;
void FillComboBox(HWND combo, const char* const* texts);

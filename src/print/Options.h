// The printing mode, its four-byte file printer.dta and the Printing Options dialog.
#pragma once
#include <windows.h>

#include "support/DialogLayer.h"

extern int PrintMode; // 0 Default, 1 Alternate 1, 2 Alternate 2

void LoadPrintMode();
void SavePrintMode();
INT_PTR CALLBACK PrintingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern const DialogSpec PrintingDialog; // opened from the info dialog

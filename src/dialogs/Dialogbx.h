// The intro, info and about dialogs, and the small dialog helpers.
#pragma once
#include <windows.h>

void CentreDialog(HWND dialog);
int CentreOffset(int dialogUnits, int pixels);
INT_PTR CALLBACK IntroDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void FillComboBox(HWND combo, const char* const* texts);

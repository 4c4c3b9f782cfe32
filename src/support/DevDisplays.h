// Developer displays: status-strip printers, value dumps, the modeless developer dialog and small
// tools.
#pragma once
#include <windows.h>

void StatusText(const char* text);
void StatusHex(unsigned value);
void StatusInt(int value);
void StatusInt2(int a, int b);
void StatusInt3(int a, int b, int c);
void StatusInt4(int a, int b, int c, int d);
void StatusInt5(int a, int b, int c, int d, int e);
void StatusHexLong(unsigned long value);
void StatusULong(unsigned long value);
void StatusULong2(unsigned long a, unsigned long b);
void StatusULong3(unsigned long a, unsigned long b, unsigned long c);
void StatusReal2(double a, double b);
void ShowDrawItem(const DRAWITEMSTRUCT* item);
const char* ModuleFilePath(const char* name);
void DeveloperBeep();
INT_PTR CALLBACK DeveloperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

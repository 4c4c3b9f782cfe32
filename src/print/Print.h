// The print job: the print dialog, the one-page document and the layout chosen by the printing mode.
#pragma once
#include <windows.h>

int PrintCommand(HINSTANCE instance, HWND window);
HDC GetPrinterDC(HWND owner);
BOOL CALLBACK PrintAbortProc(HDC printer, int error);

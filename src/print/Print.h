// The print job: the print dialog and the one-page document in the chosen layout.
#pragma once
#include <windows.h>

#include "print/PrintGeometry.h"

HDC GetPrinterDC(HWND owner);
BOOL CALLBACK PrintAbortProc(HDC printer, int error);

// The job after the print dialog, on its printer context: the wait cursor, the window disabled, the
// document with one page in the chosen layout. The caller ends the long operation and deletes the
// context. Returns 0 when the document and the page were started and the layout ran, else 1.
int RunPrintJob(HWND window, HDC printer);
// Maps the printable area's logical units onto the device; nothing when its scale is 1.
void MapPrintableArea(HDC printer, const PrintableArea& area);

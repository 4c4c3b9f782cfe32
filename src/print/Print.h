// The print job: the print dialog, the one-page document and the chosen layout.
#pragma once
#include <windows.h>

#include "print/PrintGeometry.h"

int PrintCommand(HINSTANCE instance, HWND window);
HDC GetPrinterDC(HWND owner);
BOOL CALLBACK PrintAbortProc(HDC printer, int error);

// The job after the print dialog, on a printer context of horzRes x vertRes device pixels, which it
// deletes. Clears the busy flag. Returns 0 when the document and the page were started and the
// layout ran, else 1.
int RunPrintJob(HWND window, HDC printer, int horzRes, int vertRes);
// Maps the printable area's logical units onto the device; nothing when its scale is 1.
void MapPrintableArea(HDC printer, const PrintableArea& area);

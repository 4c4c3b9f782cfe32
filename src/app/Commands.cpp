// The commands that run long operations, and how each of them begins and ends.
#include "app/Commands.h"

#include "colouring/Display.h"
#include "colouring/FillShell.h"
#include "page/Page.h"
#include "page/PageSet.h"
#include "print/Print.h"
#include "resource.h"
#include "screen/Drawbrdr.h"
#include "support/Gdi.h"
#include "support/Messages.h"

namespace {

int StepPage(HWND window, int delta) {
    if (!PageIsOpen())
        return 0;
    SaveCurrentPage();
    if (!IsWindow(window)) // closed from outside while a failed save's box was up
        return 0;
    if (!StepToReadablePage(delta)) {
        // Not even the page just left could be read back: nothing is left to show.
        ShowResMessage(IDS_ALL_PAGES_BAD, IDS_HUEBERRY, MB_OK);
        DestroyWindow(hWndMain);
        return 0;
    }
    ShowPage();
    DrawTitleStrip(WindowDc(window).dc);
    SetFocus(window);
    return 0;
}

} // namespace

void DiscardInput(HWND window) {
    // The ranges are fixed (keyboard 0x100-0x108, mouse 0x200-0x209), whatever the headers' LAST
    // values are.
    MSG message;
    while (PeekMessageA(&message, window, 0x100, 0x108, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, window, 0x200, 0x209, PM_REMOVE)) {
    }
}

void RepostPointer(HWND window) {
    POINT pointer;
    GetCursorPos(&pointer);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(pointer.x, pointer.y));
}

void BeginLongOperation(HWND window) {
    hcurCurrent = hcurWait;
    SetCursor(hcurCurrent);
    EnableWindow(window, FALSE);
}

void EndLongOperation(HWND window) {
    EnableWindow(window, TRUE);
    DiscardInput(window);
    RepostPointer(window);
    SetFocus(window);
}

int ClearCommand(HWND window) {
    // Reached through a message dispatched inside a running fill or wipe: leave that one alone.
    if (AnimationRunning || !PageIsOpen() || bmfhead.bfReserved1 != 0)
        return 0;
    BeginLongOperation(window);
    // Only a page that really went blank is flagged blank: the flag decides whether Clear runs.
    if (WipePicture())
        bmfhead.bfReserved1 = 1;
    EndLongOperation(window);
    return 0;
}

int NextPage(HWND window) {
    return StepPage(window, +1);
}

int PreviousPage(HWND window) {
    return StepPage(window, -1);
}

int PrintCommand(HWND window) {
    // Before the first page is open there is nothing to print.
    if (!PageIsOpen())
        return 1;
    BusyFlag = 1;
    int failed = 1;
    if (HDC printer = GetPrinterDC(window)) {
        failed = RunPrintJob(window, printer);
        // A window closed while the job dispatched messages, or from its assertion box, is gone:
        // there is nothing to restore.
        if (IsWindow(window))
            EndLongOperation(window);
        DeleteDC(printer);
    }
    BusyFlag = 0;
    return failed;
}

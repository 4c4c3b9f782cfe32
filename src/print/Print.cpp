// The print job: the print dialog, the one-page document and the chosen layout.
#include "print/Print.h"

#include <commdlg.h>

#include "page/Page.h"
#include "print/Layouts.h"
#include "print/Options.h"
#include "print/PrintSteps.h"
#include "support/Messages.h"
#include "support/Program.h"

namespace {

constexpr DWORD PrintDialogFlags =
    PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC | PD_HIDEPRINTTOFILE;
static_assert(PrintDialogFlags == 0x10010C);

const DOCINFOA PrintDocument = {sizeof(DOCINFOA), "Hueberry: Printing", nullptr, nullptr, 0};

} // namespace

HDC GetPrinterDC(HWND owner) {
    // Filled afresh for every job: no device mode or names go in, so the dialog starts from the
    // default printer.
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PrintDialogFlags;
    dialog.nCopies = 1;
    const BOOL chosen = PrintDlgA(&dialog);
    // The dialog hands back the device mode and names it allocated; nothing keeps them between
    // jobs.
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    return chosen ? dialog.hDC : nullptr;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return TRUE;
}

void MapPrintableArea(HDC printer, const PrintableArea& area) {
    if (area.scale == 1)
        return;
    SetMapMode(printer, MM_ANISOTROPIC);
    SetWindowExtEx(printer, 1, 1, nullptr);
    SetViewportExtEx(printer, area.scale, area.scale, nullptr);
    SetViewportOrgEx(printer, area.xOrigin, area.yOrigin, nullptr);
}

int RunPrintJob(HWND window, HDC printer) {
    // The layouts take 16-bit sizes. A side beyond 32,767 device pixels would wrap and garble the
    // print, so the area is handed on scaled down and the device maps it back up
    // (FitPrintableArea).
    const PrintableArea area =
        FitPrintableArea(GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES));
    const short xPage = short(area.pw), yPage = short(area.ph);
    if (!xPage && !yPage) {
        AssertBox("xPage || yPage", "Print", 49);
        // Ending the program from the box destroys the main window, whose shutdown releases the
        // page buffers: the job then ends here without drawing from them.
        if (!IsWindow(window) || !lpDib)
            return 1;
    }
    hcurCurrent = hcurWait;
    SetCursor(hcurWait);
    EnableWindow(window, FALSE);
    SetAbortProc(printer, PrintAbortProc);

    struct Job {
        HDC printer;
        const PrintableArea& area;
        short xPage, yPage;
    } job = {printer, area, xPage, yPage};
    const PrintJobCalls calls = {
        &job,
        [](void* j) { return StartDocA(static_cast<Job*>(j)->printer, &PrintDocument); },
        [](void* j) { return StartPage(static_cast<Job*>(j)->printer); },
        [](void* j) {
            const Job& job = *static_cast<Job*>(j);
            // Set after StartPage: older drivers reset the context's attributes when a page starts.
            MapPrintableArea(job.printer, job.area);
            if (PrintMode == 0)
                PrintDefault(job.printer, job.xPage, job.yPage);
            else
                PrintAlternate(job.printer, job.xPage, job.yPage);
        },
        [](void* j) { return EndPage(static_cast<Job*>(j)->printer); },
        [](void* j) { EndDoc(static_cast<Job*>(j)->printer); },
        [](void* j) { AbortDoc(static_cast<Job*>(j)->printer); },
    };
    return RunPrintSteps(calls);
}

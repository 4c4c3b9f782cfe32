// The six pictures in their fixed order, the page on show, and stepping between them with saving.
#include "page/PageSet.h"

#include <cstdio>

#include "app/App.h"
#include "colouring/Display.h"
#include "page/PageFile.h"
#include "resource.h"
#include "screen/Drawbrdr.h"
#include "support/Gdi.h"
#include "support/Messages.h"

int CurrentPage;

namespace {

// Whether the page in memory was loaded from the file of CurrentPage. Until then nothing may be
// saved, or an empty page would be written over a picture that was never opened.
bool PageOpen;

int LoadCurrent() {
    const int ok = LoadPage(PageSet[CurrentPage].file);
    // A refused load leaves the previous page in memory, which does not belong to the new
    // CurrentPage.
    PageOpen = ok;
    return ok;
}

// Steps by delta until a page loads; 0 when none of the six can be read.
int StepTo(int delta) {
    for (int tries = 0; tries < PageCount; ++tries) {
        CurrentPage = (CurrentPage + delta + PageCount) % PageCount;
        if (LoadCurrent())
            return 1;
    }
    return 0;
}

int StepPage(HWND window, int delta) {
    if (!PageOpen)
        return 0;
    SaveCurrentPage();
    if (!IsWindow(window)) // closed from outside while a failed save's box was up
        return 0;
    if (!StepTo(delta)) {
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

// A failed save says so, once, naming the file. While the box is up keys, clicks and commands do
// nothing (the busy flag), so no step, save or quit runs under it; after OK the caller goes on.
void ReportSaveFailure(const char* file) {
    char text[600];
    std::snprintf(text, sizeof text, GetResString(IDS_SAVE_FAILED, 0), file);
    const int wasBusy = BusyFlag;
    BusyFlag = 1;
    ShowMessage(hWndMain, text, GetResString(IDS_HUEBERRY, 1), MB_OK | MB_ICONEXCLAMATION);
    BusyFlag = wasBusy;
}

} // namespace

bool PageIsOpen() {
    return PageOpen;
}

int SaveCurrentPage() {
    if (!PageOpen)
        return 0;
    const char* file = PageSet[CurrentPage].file;
    if (SavePage(file)) // a read-only page is refused there
        return 1;
    ReportSaveFailure(file);
    return 0;
}

int OpenFirstPage() {
    while (!LoadCurrent()) {
        if (CurrentPage == PageCount - 1) {
            ShowResMessage(IDS_ALL_PAGES_BAD, IDS_HUEBERRY, MB_OK);
            return 0;
        }
        ++CurrentPage;
    }
    if (CurrentPage != 0)
        InvalidateRect(hWndMain, nullptr, FALSE);
    return 1;
}

int NextPage(HWND window) {
    return StepPage(window, +1);
}

int PreviousPage(HWND window) {
    return StepPage(window, -1);
}

// The six pictures in their fixed order, the page on show, its saving, and the page a step lands
// on.
#include "page/PageSet.h"

#include <cstdio>

#include "page/PageFile.h"
#include "page/PageOrder.h"
#include "resource.h"
#include "support/Messages.h"
#include "support/Program.h"

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

bool LoadAsCurrent(int page, void*) {
    CurrentPage = page;
    return LoadCurrent();
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
    if (FirstReadablePage(CurrentPage, PageCount, LoadAsCurrent, nullptr) < 0) {
        ShowResMessage(IDS_ALL_PAGES_BAD, IDS_HUEBERRY, MB_OK);
        return 0;
    }
    if (CurrentPage != 0)
        InvalidateRect(hWndMain, nullptr, FALSE);
    return 1;
}

int StepToReadablePage(int delta) {
    return StepToReadable(CurrentPage, delta, PageCount, LoadAsCurrent, nullptr) >= 0;
}

// The six pictures in their fixed order, the page on show, and stepping between them with saving.
#include "page/PageSet.h"

#include "app/App.h"
#include "colouring/Display.h"
#include "page/PageFile.h"
#include "resource.h"
#include "screen/Drawbrdr.h"
#include "support/Gdi.h"
#include "support/Messages.h"

const PageSetEntry PageSet[PageCount] = {
    {"bones.col", 10}, {"duck.col", 21},   {"parrots.col", 34},
    {"pig.col", 35},   {"spider.col", 41}, {"buy_me.col", 0},
};

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

} // namespace

bool PageIsOpen() {
    return PageOpen;
}

int SaveCurrentPage() {
    if (!PageOpen)
        return 0;
    return SavePage(PageSet[CurrentPage].file);
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

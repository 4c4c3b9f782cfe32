// Keyboard and pointer input: keys press their command buttons visibly, clicks in the picture fill
// regions.
#include "app/App.h"
#include "app/Commands.h"
#include "app/PointerRules.h"
#include "colouring/FillShell.h"
#include "screen/Buttons.h"

namespace {

// The busy waits below look at no messages, and drawing is held back until a thread waits or
// flushes: Windows batches GDI calls, and Wine puts a window's surface on the display only when the
// thread waits. A wait of no time for no messages does that and takes none.
void ShowNow() {
    GdiFlush();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, 0);
}

// Shows the button pressed for a moment, then posts its command, so a key does what a click does.
void PressCommandButton(HWND window, int id) {
    HWND button = CommandButtons[id - IdQuit].window;
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    ShowNow();
    Delay(125);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    // Seen back up before the command runs: a dialog it opens would first show on the screen,
    // holding the pressed face there as long as the dialog takes to make.
    ShowNow();
    if (id == IdQuit)
        Delay(125);
    PostMessageA(window, WM_COMMAND, WPARAM(id), 0);
}

} // namespace

void Delay(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
    }
}

int HandleChar(HWND window, WPARAM character) {
    switch (character) {
    case 'C':
    case 'c':
        PressCommandButton(window, IdClear);
        break;
    case 'I':
    case 'i':
        PressCommandButton(window, IdInfo);
        break;
    case 'P':
    case 'p':
        PressCommandButton(window, IdPrint);
        break;
    case 'Q':
    case 'q':
        PressCommandButton(window, IdQuit);
        break;
    default:
        break;
    }
    SetFocus(hWndMain);
    return 0;
}

int HandleKeyDown(HWND window, WPARAM virtualKey) {
    if (virtualKey == VK_PRIOR || virtualKey == VK_UP)
        PressCommandButton(window, IdUp);
    else if (virtualKey == VK_NEXT || virtualKey == VK_DOWN)
        PressCommandButton(window, IdDown);
    return 0;
}

int HandlePointerMove(LPARAM position) {
    if (AppPhase != 0)
        return 0;
    hcurCurrent = InPictureZone(LOWORD(position), HIWORD(position)) ? hcurEdit : hcurArrow;
    SetCursor(hcurCurrent);
    return 0;
}

int HandleClick(HWND window, LPARAM position) {
    int x, y;
    if (!ClickStartsFill(CurrentPageView(), LOWORD(position), HIWORD(position), SelectedColourIndex,
                         x, y))
        return 0;
    BeginLongOperation(window);
    FillRegion(x, y, SelectedColourIndex);
    // The page now holds colouring, so Clear has work to do.
    bmfhead.bfReserved1 = 0;
    EndLongOperation(window);
    return 0;
}

// Keyboard and pointer input: keys press their command buttons visibly, clicks in the picture fill
// regions.
#include "app/App.h"
#include "colouring/FillShell.h"
#include "page/Page.h"
#include "screen/Buttons.h"

namespace {

// Shows the button pressed for a moment, then posts its command, so a key does what a click does.
void PressCommandButton(HWND window, int id) {
    HWND button = CommandButtons[id - IdQuit].window;
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    Delay(125);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
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
    const int x = LOWORD(position), y = HIWORD(position);
    hcurCurrent = (x > 730 || x < 70 || y > 530 || y < 70) ? hcurArrow : hcurEdit;
    SetCursor(hcurCurrent);
    return 0;
}

int HandleClick(HWND window, LPARAM position) {
    const int x = int(LOWORD(position)) - 70, y = int(HIWORD(position)) - 70;
    const PageView page = CurrentPageView();
    if (x < 0 || y < 0 || x >= page.width || y >= page.height || !page.pixels)
        return 0;
    const uint8_t pixel = page.At(x, y);
    if (pixel == OutlineIndex || pixel == SelectedColourIndex)
        return 0;
    hcurCurrent = hcurWait;
    SetCursor(hcurCurrent);
    EnableWindow(window, FALSE);
    FillRegion(x, y, SelectedColourIndex);
    EnableWindow(window, TRUE);
    DiscardInput(window);
    bmfhead.bfReserved1 = 0;
    RepostPointer(window);
    SetFocus(window);
    return 0;
}

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

// Centring dialogs on the program's screen and their white background.
#include "support/DialogHelpers.h"

#include "support/ScreenLayout.h"

void CentreDialog(HWND dialog) {
    RECT outer;
    GetWindowRect(dialog, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    MoveWindow(dialog, (ScreenWidth - width) / 2, (ScreenHeight - height) / 2, width, height,
               FALSE);
}

INT_PTR WhiteBackground(HDC dc) {
    SetBkColor(dc, RGB(255, 255, 255));
    return INT_PTR(GetStockObject(WHITE_BRUSH));
}

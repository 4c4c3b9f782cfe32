// The intro, info and about dialogs.
#include "dialogs/Dialogbx.h"

#include "dialogs/Centring.h"
#include "print/Options.h"
#include "resource.h"
#include "support/DialogHelpers.h"
#include "support/Gdi.h"
#include "support/Messages.h"
#include "support/Program.h"

namespace {

constexpr int IntroWidthUnits = 170; // the intro template's width
constexpr int IntroPictureWidth = 320;
constexpr SIZE IntroScrSize = {320, 200};
constexpr SIZE CopyRightSize = {320, 50};

// The platform's dialog base units, read once on first use and kept even if the system font
// changes later. Only the vertical unit counts.
struct DialogUnits {
    int vertical;
};

const DialogUnits& TheDialogUnits() {
    static const DialogUnits units = {HIWORD(GetDialogBaseUnits())};
    return units;
}

void PaintIntro(HWND dialog) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(dialog, &paint);
    // Loaded for each paint and let go at its end: they are needed only while the intro shows.
    const HBITMAP picture = LoadBitmapA(hInst, "IntroScr");
    const HBITMAP notice = LoadBitmapA(hInst, "CopyRight");
    const int d = CentreOffset(IntroWidthUnits, IntroPictureWidth);
    {
        // Deleting the memory context lets go of the bitmap selected into it.
        const MemoryDc memory(dc);
        if (picture) {
            SelectObject(memory.dc, picture);
            BitBlt(dc, d, d, IntroScrSize.cx, IntroScrSize.cy, memory.dc, 0, 0, SRCCOPY);
        }
        if (notice) {
            SelectObject(memory.dc, notice);
            BitBlt(dc, d, d + IntroScrSize.cy, CopyRightSize.cx, CopyRightSize.cy, memory.dc, 0, 0,
                   SRCCOPY);
        }
    }
    if (picture)
        DeleteObject(picture);
    if (notice)
        DeleteObject(notice);
    EndPaint(dialog, &paint);
}

} // namespace

int CentreOffset(int dialogUnits, int pixels) {
    return CentreOffsetFor(dialogUnits, pixels, TheDialogUnits().vertical);
}

INT_PTR CALLBACK IntroDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    TheDialogUnits();
    switch (message) {
    case WM_INITDIALOG:
        SetCursorPos(ScreenWidth / 2, ScreenHeight / 2);
        CentreDialog(dialog);
        BusyFlag = 1;
        return TRUE;
    case WM_CTLCOLORDLG:
        return INT_PTR(GetStockObject(WHITE_BRUSH));
    case WM_PAINT:
        PaintIntro(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            LoadPrintMode();
            EndDialog(dialog, 1);
            BusyFlag = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            // Escape leaves the intro exactly as OK does, one message later.
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CentreDialog(dialog);
        BusyFlag = 1;
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return WhiteBackground(HDC(wParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ABOUT:
            DialogBoxA(hInst, "ShareAboutDlg", dialog, AboutDlgProc);
            return TRUE;
        case IDC_PRINT_OPTIONS:
            DialogBoxA(hInst, "PrintingDlg", dialog, PrintingDlgProc);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            BusyFlag = 0;
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CentreDialog(dialog);
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return WhiteBackground(HDC(wParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void FillComboBox(HWND combo, const char* const* texts) {
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (; *texts && **texts; ++texts) {
        const LRESULT dwIndex = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(*texts));
        if (dwIndex == CB_ERR)
            AssertBox("dwIndex != CB_ERR", "Dialogbx", 43);
        if (dwIndex == CB_ERRSPACE)
            AssertBox("dwIndex != CB_ERRSPACE", "Dialogbx", 43);
    }
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(combo, nullptr, TRUE);
}

// The intro, info and about dialogs.
#include "dialogs/Dialogbx.h"

#include "dialogs/Centring.h"
#include "print/Options.h"
#include "resource.h"
#include "support/DialogLayer.h"
#include "support/Gdi.h"
#include "support/Messages.h"
#include "support/Program.h"

namespace {

constexpr int IntroWidthUnits = 170; // the intro template's width
constexpr int IntroPictureWidth = 320;
constexpr SIZE IntroScrSize = {320, 200};
constexpr SIZE CopyRightSize = {320, 50};

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
    // The dialogs are laid out with this unit whatever the platform's own, so the pictures stay
    // centred in the dialog at any DPI.
    return CentreOffsetFor(dialogUnits, pixels, LayoutVerticalUnit);
}

const DialogSpec IntroDialog = {"ShareIntroDlg", IntroDlgProc, true};
const DialogSpec InfoDialog = {"InfoDlg", InfoDlgProc, true};
// The about box has nothing of its own to answer: OK and Escape close it through the layer.
const DialogSpec AboutDialog = {"ShareAboutDlg", nullptr, false};

INT_PTR CALLBACK IntroDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetCursorPos(ScreenWidth / 2, ScreenHeight / 2);
        return FALSE;
    case WM_PAINT:
        PaintIntro(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            LoadPrintMode();
            EndDialog(dialog, 1);
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

// About and Printing Options open over it; Done, Enter and Escape close it through the layer.
INT_PTR CALLBACK InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDC_ABOUT)
        RunDialog(AboutDialog, dialog);
    else if (LOWORD(wParam) == IDC_PRINT_OPTIONS)
        RunDialog(PrintingDialog, dialog);
    else
        return FALSE;
    return TRUE;
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

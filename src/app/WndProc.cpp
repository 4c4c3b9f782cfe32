// The main window procedure: the phases from intro to running, painting by state and command
// routing.
#include "app/App.h"
#include "app/Commands.h"
#include "colouring/Display.h"
#include "colouring/FillShell.h"
#include "dialogs/Dialogbx.h"
#include "page/PageSet.h"
#include "screen/Buttons.h"
#include "screen/Drawbrdr.h"
#include "sound/Sound.h"
#include "support/Gdi.h"

namespace {

// Input and commands are ignored while a modal dialog or a print job runs, and while a fill or a
// wipe runs: a paint dispatched during the animation enables the window again, and a key or click
// that got through then would start a second animation inside the first or load another page under
// it.
bool InputBlocked() {
    return BusyFlag || AnimationRunning;
}

void PaintWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (AppPhase == 0) {
        // A paint can arrive while a fill, a wipe or a modal box (a missing page's message, say)
        // has disabled the window; it must not enable the window under them or take the focus from
        // the box.
        const bool wasEnabled = IsWindowEnabled(window);
        EnableWindow(window, FALSE);
        DrawFrame(dc);
        ShowPage();
        DrawTitleStrip(dc);
        if (wasEnabled) {
            EnableWindow(window, TRUE);
            DiscardInput(window);
            SetFocus(window);
        }
    }
    EndPaint(window, &paint);
    if (AppPhase != 0)
        DrawDotBackground(WindowDc(window).dc);
    if (AppPhase == 3) {
        AppPhase = 2;
        PostMessageA(hWndMain, MsgShowIntro, 0, 0);
    } else if (AppPhase == 1) {
        AppPhase = 0;
        PostMessageA(hWndMain, MsgCreateButtons, 0, 0);
        DrawFrame(WindowDc(window).dc);
        if (!OpenFirstPage()) {
            ShutDown(hWndMain);
            return;
        }
        hcurCurrent = hcurEdit;
        SetCursor(hcurCurrent);
    }
}

void PickColour(int id) {
    const int previousSlot = SelectedColourId - IdFirstColour;
    PlayEffect(8);
    SelectedColourId = id;
    SelectedColourIndex = id - 1999;
    HWND previous = ColourButtons[previousSlot].window;
    SendMessageA(previous, BM_SETSTATE, TRUE, 0);
    SendMessageA(previous, BM_SETSTATE, FALSE, 0);
}

LRESULT RouteCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id >= IdFirstColour && id <= IdLastColour) {
        PickColour(id);
        return 0;
    }
    switch (id) {
    case IdQuit:
        // Before the first page is open there is nothing to save: Quit then only ends.
        SaveCurrentPage();
        DestroyWindow(window);
        return 0;
    case IdPrint:
        PrintCommand(window);
        SetFocus(window);
        return 1;
    case IdClear:
        return ClearCommand(window);
    case IdInfo:
        RunDialog(InfoDialog, window);
        SetFocus(window);
        return 1;
    case IdUp:
        return PreviousPage(window);
    case IdDown:
        return NextPage(window);
    default:
        return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return HandleCreate(window);
    case WM_DESTROY:
        return ShutDown(window);
    case WM_SETFOCUS:
        SetCursor(hcurCurrent);
        return 0;
    case WM_KILLFOCUS:
        return 0;
    case WM_PAINT:
        PaintWindow(window);
        return 0;
    case WM_SETCURSOR:
        SetCursor(hcurCurrent);
        SetFocus(window);
        return 0;
    case WM_DRAWITEM:
        return DrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_KEYDOWN:
        return InputBlocked() ? 0 : HandleKeyDown(window, wParam);
    case WM_CHAR:
        return InputBlocked() ? 0 : HandleChar(window, wParam);
    case WM_COMMAND:
        return InputBlocked() ? 0 : RouteCommand(window, wParam, lParam);
    case WM_TIMER:
        return 0;
    case WM_MOUSEMOVE:
        if (InputBlocked())
            return 0;
        if (GetFocus() != window)
            SetFocus(window);
        return HandlePointerMove(lParam);
    case WM_LBUTTONDOWN:
        return InputBlocked() ? 0 : HandleClick(window, lParam);
    case MM_MCINOTIFY:
        ReplayMusic(window);
        return 0;
    case MsgShowIntro:
        RunDialog(IntroDialog, hWndMain);
        AppPhase = 1;
        InvalidateRect(hWndMain, nullptr, FALSE);
        return 0;
    case MsgCreateButtons:
        return CreateButtons(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

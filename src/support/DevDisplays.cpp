// Developer displays: status-strip printers, dumps, the developer dialog and small tools.
#include "support/DevDisplays.h"

#include <cstdio>

#include "support/DevFormats.h"
#include "support/Gdi.h"
#include "support/Messages.h"
#include "support/Program.h"

namespace {

constexpr RECT TextStrip = {17, 0, 600, 17};
constexpr RECT NarrowStrip = {17, 0, 125, 17};
constexpr RECT WideStrip = {25, 0, 250, 17};
constexpr RECT ULong3Strip = {17, 0, 250, 17};

constexpr UINT CentredText = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

constexpr int DeveloperTextId = 1004;

// Written straight onto the main window's top band, without waiting for a paint.
void ShowStatus(const char* text, const RECT& strip, UINT format) {
    const WindowDc screen(hWndMain);
    RECT box = strip;
    FillRect(screen.dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextA(screen.dc, text, -1, &box, format);
}

void ShowInts(const int* values, int count, const RECT& strip) {
    char text[StatusTextSize];
    FormatStatusInts(text, sizeof text, values, count);
    ShowStatus(text, strip, CentredText);
}

void ShowULongs(const unsigned long* values, int count, const RECT& strip) {
    char text[StatusTextSize];
    FormatStatusULongs(text, sizeof text, values, count);
    ShowStatus(text, strip, CentredText);
}

char DrawItemText[DeveloperTextSize];
char ModulePath[ModulePathSize];

} // namespace

void StatusText(const char* text) {
    // Drawn from the caller's text directly, so no length can overrun a buffer; the strip clips it.
    ShowStatus(text, TextStrip, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void StatusHex(unsigned value) {
    char text[StatusTextSize];
    FormatStatusHex(text, sizeof text, value);
    ShowStatus(text, NarrowStrip, CentredText);
}

void StatusInt(int value) {
    ShowInts(&value, 1, NarrowStrip);
}

void StatusInt2(int a, int b) {
    const int values[] = {a, b};
    ShowInts(values, 2, NarrowStrip);
}

void StatusInt3(int a, int b, int c) {
    const int values[] = {a, b, c};
    ShowInts(values, 3, NarrowStrip);
}

void StatusInt4(int a, int b, int c, int d) {
    const int values[] = {a, b, c, d};
    ShowInts(values, 4, WideStrip);
}

void StatusInt5(int a, int b, int c, int d, int e) {
    const int values[] = {a, b, c, d, e};
    ShowInts(values, 5, WideStrip);
}

void StatusHexLong(unsigned long value) {
    char text[StatusTextSize];
    FormatStatusHexLong(text, sizeof text, value);
    ShowStatus(text, NarrowStrip, CentredText);
}

void StatusULong(unsigned long value) {
    ShowULongs(&value, 1, NarrowStrip);
}

void StatusULong2(unsigned long a, unsigned long b) {
    const unsigned long values[] = {a, b};
    ShowULongs(values, 2, NarrowStrip);
}

void StatusULong3(unsigned long a, unsigned long b, unsigned long c) {
    const unsigned long values[] = {a, b, c};
    ShowULongs(values, 3, ULong3Strip);
}

void StatusReal2(double a, double b) {
    char text[StatusTextSize];
    FormatStatusReals(text, sizeof text, a, b);
    ShowStatus(text, NarrowStrip, CentredText);
}

INT_PTR CALLBACK DeveloperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, DeveloperTextId, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL || wParam == 16) {
            DestroyWindow(dialog);
            hDlgDeveloper = nullptr;
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void ShowDrawItem(const DRAWITEMSTRUCT* item) {
    // Handles are shown as the 32-bit numbers the format has room for.
    std::snprintf(
        DrawItemText, sizeof DrawItemText,
        "DRAWITEMSTRUCT "
        "\nCtlType\t%u\nCtlID\t%u\nitemID\t%u\nitemAction\t%u\nitemState\t%u\nhwndItem\t%u\n"
        "hDC\t%u\nrcItem.left\t%u\nrcItem.top\t%u\nrcItem.right\t%u\nrcItem.bottom\t%u\nitemData\t%"
        "lu\n",
        item->CtlType, item->CtlID, item->itemID, item->itemAction, item->itemState,
        unsigned(reinterpret_cast<UINT_PTR>(item->hwndItem)),
        unsigned(reinterpret_cast<UINT_PTR>(item->hDC)), unsigned(item->rcItem.left),
        unsigned(item->rcItem.top), unsigned(item->rcItem.right), unsigned(item->rcItem.bottom),
        static_cast<unsigned long>(item->itemData));
    ShowMessage(hWndMain, DrawItemText, "BUTTON", MB_OK);
}

const char* ModuleFilePath(const char* name) {
    ModulePath[0] = 0;
    const DWORD length = GetModuleFileNameA(nullptr, ModulePath, sizeof ModulePath);
    // A path that filled the buffer was cut short; one that could not be read names no directory.
    PlaceBesideModule(ModulePath, sizeof ModulePath, length == 0 || length >= sizeof ModulePath,
                      name);
    return ModulePath;
}

void DeveloperBeep() {
    MessageBeep(0);
}

// The dialogs' shared layer: their pixel layout from the template's dialog units, one pinned font,
// centring, the white background and the busy flag.
#include "support/DialogLayer.h"

#include "support/DialogTemplate.h"
#include "support/Program.h"

namespace {

// How a template's dialog units and texts come out at 96 DPI with its font: the base units and the
// font's cell height in pixels. The platform's own units grow with the DPI and change with the
// fonts installed (under Wine, with whatever fontconfig offers); these do not.
struct DialogLook {
    int pointSize; // of the template's font; 0 for the system font
    int unitAcross, unitDown, fontHeight;
};
const DialogLook Looks[] = {
    {0, 8, LayoutVerticalUnit, 16}, // the system font
    {8, 6, 13, 13},                 // 8-point MS Sans Serif
};
// On every Windows since 2000 and among Wine's own fonts; a TrueType face, so a height in pixels
// gives the same text at any DPI.
constexpr char DialogFace[] = "Tahoma";

struct OpenDialog {
    const DialogSpec& dialogSpec;
    DialogTemplateLayout layout;
    const DialogLook* look;
    HFONT font;
};

// A font deleted when the dialog that used it has closed.
struct Font {
    HFONT handle;
    explicit Font(int height)
        : handle(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, DialogFace)) {}
    ~Font() { DeleteObject(handle); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
};

bool ReadTemplate(const char* name, DialogTemplateLayout& layout) {
    const HRSRC found = FindResourceA(hInst, name, MAKEINTRESOURCEA(5)); // RT_DIALOG
    const HGLOBAL loaded = found ? LoadResource(hInst, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes && ReadDialogTemplate(static_cast<const uint8_t*>(bytes),
                                       SizeofResource(hInst, found), layout);
}

// Sizes the dialog and places its controls in pixels, gives them the dialog's font, and centres the
// dialog on the 800 x 600 screen the program runs at (not the measured one), without repainting.
void LayOut(HWND dialog, const OpenDialog& open) {
    const DialogLook& look = *open.look;
    const DialogTemplateLayout& layout = open.layout;
    RECT outer = {0, 0, UnitsAcross(layout.width, look.unitAcross),
                  UnitsDown(layout.height, look.unitDown)};
    AdjustWindowRectEx(&outer, DWORD(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    MoveWindow(dialog, (ScreenWidth - width) / 2, (ScreenHeight - height) / 2, width, height,
               FALSE);
    // The controls stand in template order.
    HWND control = GetWindow(dialog, GW_CHILD);
    for (int i = 0; control && i < layout.itemCount;
         ++i, control = GetWindow(control, GW_HWNDNEXT)) {
        const TemplateItem& item = layout.items[i];
        const UnitRect& r = item.rect;
        const int x = UnitsAcross(r.x, look.unitAcross), y = UnitsDown(r.y, look.unitDown);
        char kind[8] = "";
        GetClassNameA(control, kind, sizeof kind);
        if (lstrcmpiA(kind, "Static") == 0 &&
            (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            // An icon at its 96-DPI size: the control took the one of the display's DPI.
            SendMessageA(control, STM_SETICON,
                         WPARAM(LoadImageA(hInst, item.text, IMAGE_ICON, 32, 32, LR_SHARED)), 0);
            MoveWindow(control, x, y, 32, 32, FALSE);
        } else {
            MoveWindow(control, x, y, UnitsAcross(r.width, look.unitAcross),
                       UnitsDown(r.height, look.unitDown), FALSE);
        }
        SendMessageA(control, WM_SETFONT, WPARAM(open.font), FALSE);
    }
}

INT_PTR CALLBACK LayerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        LayOut(dialog, *reinterpret_cast<const OpenDialog*>(lParam));
    }
    const auto* open = reinterpret_cast<const OpenDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!open)
        return FALSE;
    if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC) {
        SetBkColor(HDC(wParam), RGB(255, 255, 255));
        return INT_PTR(GetStockObject(WHITE_BRUSH));
    }
    const DLGPROC handler = open->dialogSpec.handler;
    if (handler && handler(dialog, message, wParam, message == WM_INITDIALOG ? 0 : lParam))
        return TRUE;
    // The platform puts the focus on the first control that takes it.
    if (message == WM_INITDIALOG)
        return TRUE;
    // OK and Escape, where the dialog leaves them, end it with their own ids as its result.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR RunDialog(const DialogSpec& dialogSpec, HWND owner) {
    OpenDialog open{dialogSpec, {}, &Looks[0], nullptr};
    if (!ReadTemplate(dialogSpec.templateName, open.layout))
        return -1;
    for (const DialogLook& look : Looks)
        if (look.pointSize == open.layout.pointSize)
            open.look = &look;
    const Font font(open.look->fontHeight);
    open.font = font.handle;
    if (dialogSpec.holdsBusyFlag)
        BusyFlag = 1;
    const INT_PTR result =
        DialogBoxParamA(hInst, dialogSpec.templateName, owner, LayerProc, LPARAM(&open));
    if (dialogSpec.holdsBusyFlag)
        BusyFlag = 0;
    return result;
}

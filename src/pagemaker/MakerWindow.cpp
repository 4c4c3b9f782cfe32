// The Page Maker's window: the page at full size with its regions tinted and its problems marked,
// the controls that shape it, and the choice of the picture it replaces.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "colouring/ColourTable.h"
#include "page/FileBytes.h"
#include "page/PageFormat.h"
#include "page/PageSet.h"
#include "pagemaker/Maker.h"

namespace {

enum : int {
    IdOpen = 101,
    IdThresholdText,
    IdThreshold,
    IdThicken,
    IdCloseGaps,
    IdFillPockets,
    IdCounts,
    IdPicture,
    IdReplace,
    IdStatus,
    IdGaps,
    IdTurn,
    IdMendAll,
};

constexpr int PageLeft = 6, PageTop = 6;
constexpr int ColumnLeft = PageLeft + StdPageWidth + 8, ColumnWidth = 112;
constexpr RECT Thumb = {ColumnLeft, 396, ColumnLeft + 110, 396 + 77};
constexpr int ClientWidth = ColumnLeft + ColumnWidth + 6, ClientHeight = 520;
constexpr uint8_t LineColour = 0, MarkColour = 1, FirstTint = 2;
constexpr UINT_PTR RebuildTimer = 1;

HWND Window;
MakerWork Work;
bool Unsaved;                  // the page made differs from what was last put in a picture
char DrawingsFolder[MAX_PATH]; // where the Open dialog starts

// The picture that is there now, as Hueberry would show it.
std::vector<uint8_t> ThumbPixels;
MYBITMAPINFO ThumbInfo;

struct PageBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};
PageBitmapInfo ViewInfo;

int SelectedPicture() {
    return int(SendDlgItemMessageA(Window, IdPicture, CB_GETCURSEL, 0, 0));
}

void LoadThumb() {
    char path[MAX_PATH];
    std::vector<uint8_t> bytes;
    BitmapFileHeader fh;
    ThumbPixels.resize(PagePixelBytes);
    if (!PicturePath(SelectedPicture(), path) || ReadWholeFile(path, bytes) != ReadResult::Ok ||
        !ParseShownPage(bytes.data(), bytes.size(), fh, ThumbInfo, ThumbPixels.data()))
        ThumbPixels.clear();
    InvalidateRect(Window, &Thumb, FALSE);
}

void SetText(int id, const std::string& text) {
    SetDlgItemTextA(Window, id, text.c_str());
}

void ShowThreshold() {
    char threshold[40];
    std::snprintf(threshold, sizeof threshold, "Threshold: %d", Work.settings.threshold);
    SetText(IdThresholdText, threshold);
}

// After any change to the page: the counts, which buttons make sense, and the view.
void PageChanged() {
    const bool open = !Work.drawing.grey.empty();
    if (open)
        RebuildPage(Work);
    ShowThreshold();
    const PageVerdict verdict = open ? JudgePage(Work.mask, Work.check) : PageVerdict::NoLines;
    SetText(IdCounts, open ? CountsText(Work.check, true) : "No drawing yet");
    EnableWindow(GetDlgItem(Window, IdCloseGaps), open && !Work.check.leaks.empty());
    EnableWindow(GetDlgItem(Window, IdFillPockets), open && !Work.check.tiny.empty());
    EnableWindow(GetDlgItem(Window, IdMendAll), open);
    EnableWindow(GetDlgItem(Window, IdReplace), verdict == PageVerdict::Usable);
    if (open && verdict != PageVerdict::Usable)
        SetText(IdStatus, verdict == PageVerdict::NoLines
                              ? "Nothing to colour: this drawing gives no line at this threshold."
                              : "Nothing to colour: this drawing gives fewer than two areas large "
                                "enough to colour. Try another threshold or drawing.");
    RECT page = {PageLeft, PageTop, PageLeft + StdPageWidth, PageTop + StdPageHeight};
    InvalidateRect(Window, &page, FALSE);
}

// A change of setting or mending: the page is rebuilt once the input waiting has been read, so
// that a run of keys or a dragged slider rebuilds the latest setting only (a timer message comes
// after every other message in the queue).
void SettingChanged() {
    Unsaved = !Work.drawing.grey.empty();
    ShowThreshold();
    SetTimer(Window, RebuildTimer, 1, nullptr);
}

void Message(const std::string& text, UINT type) {
    MessageBoxA(Window, text.c_str(), "Hueberry Page Maker", type);
}

void OpenDrawing() {
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Window;
    dialog.lpstrFilter = "Drawings\0*.png;*.jpg;*.jpeg;*.gif;*.bmp;*.tif;*.tiff;*.col\0"
                         "All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Open a drawing";
    dialog.lpstrInitialDir = DrawingsFolder;
    // The program's current folder stays where it started: a folder held as current cannot be
    // removed while the Page Maker runs.
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog))
        return;
    Drawing drawing;
    const DrawingRead read = ReadDrawing(path, drawing);
    if (read != DrawingRead::Ok) {
        Message(std::string(path) +
                    (read == DrawingRead::TooLarge
                         ? "\n\nThis drawing is too large (more than 64 million pixels)."
                         : "\n\nThis file cannot be read as a picture. Page Maker opens PNG, "
                           "JPEG, GIF, BMP and TIFF drawings and Hueberry pages."),
                MB_ICONEXCLAMATION);
        return;
    }
    Work.drawing = std::move(drawing);
    Work.pageGrey.clear();
    Work.mending = MakerMending();
    Unsaved = true;
    const char* name = std::strrchr(path, '\\');
    if (name && name - path < MAX_PATH) // the next Open starts in this drawing's folder
        std::snprintf(DrawingsFolder, MAX_PATH, "%.*s", int(name - path), path);
    SetWindowTextA(Window,
                   (std::string("Hueberry Page Maker - ") + (name ? name + 1 : path)).c_str());
    SetText(IdStatus, "Each tint is what one click fills. Red marks a leak (a gap that lets the "
                      "colour run into the next area) or a region too small to hit. Mend all "
                      "cleans specks, closes gaps and fills tiny pockets.");
    PageChanged();
}

void Replace() {
    const PageSetEntry& picture = PageSet[SelectedPicture()];
    if (HueberryRunning()) {
        Message("Hueberry is running. Close it first: it saves the picture it has open when it "
                "steps to another one or quits, and would write it over the new one.",
                MB_ICONEXCLAMATION);
        return;
    }
    char question[400];
    std::snprintf(question, sizeof question,
                  "Replace %s with this drawing?\n\nThe new page has %zu leaks and %zu tiny "
                  "regions.\nThe old %s is kept as %s.bak.",
                  picture.title, Work.check.leaks.size(), Work.check.tiny.size(), picture.file,
                  picture.file);
    if (MessageBoxA(Window, question, "Hueberry Page Maker", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    char path[MAX_PATH];
    const ReplaceResult result = PicturePath(SelectedPicture(), path) ? ReplacePage(path, Work.mask)
                                                                      : ReplaceResult::WriteFailed;
    if (result == ReplaceResult::Done)
        Unsaved = false;
    char text[400];
    if (result == ReplaceResult::Done)
        std::snprintf(text, sizeof text,
                      "%s is now this drawing. The old page is kept as %s.bak; the title under "
                      "the picture stays %s.",
                      picture.file, picture.file, picture.title);
    else
        std::snprintf(text, sizeof text,
                      result == ReplaceResult::BackupFailed
                          ? "%s.bak could not be written, so nothing was changed."
                          : "%s could not be written (is it read-only?); the old page is "
                            "unchanged.",
                      picture.file);
    if (result != ReplaceResult::Done)
        Message(text, MB_ICONEXCLAMATION);
    SetText(IdStatus, result == ReplaceResult::Done ? text : "");
    LoadThumb();
}

// The page as a child will see it, each region in a light tint of its own, lines black and the
// problems red.
void PaintPage(HDC dc) {
    if (Work.drawing.grey.empty()) {
        RECT page = {PageLeft, PageTop, PageLeft + StdPageWidth, PageTop + StdPageHeight};
        FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FrameRect(dc, &page, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, "Open a drawing to make a page of it.", -1, &page,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const PageCheck& check = Work.check;
    std::vector<uint8_t> view(PagePixelBytes);
    for (int y = 0; y < StdPageHeight; ++y)
        for (int x = 0; x < StdPageWidth; ++x) {
            const size_t i = size_t(y) * StdPageWidth + x;
            const int32_t region = check.region[i];
            uint8_t& out = view[size_t(StdPageHeight - 1 - y) * StdPageWidth + x];
            out = region < 0 ? LineColour
                  : check.size[region] < TinyRegionPixels || check.gap[i]
                      ? MarkColour
                      : uint8_t(FirstTint + region % 254);
        }
    StretchDIBits(dc, PageLeft, PageTop, StdPageWidth, StdPageHeight, 0, 0, StdPageWidth,
                  StdPageHeight, view.data(), reinterpret_cast<BITMAPINFO*>(&ViewInfo),
                  DIB_RGB_COLORS, SRCCOPY);
    // A ring round each problem, since a gap or a pocket may be a few pixels only.
    HPEN red = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, red);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const std::vector<PixelBox>* boxes : {&check.leaks, &check.tiny})
        for (const PixelBox& b : *boxes) {
            const int cx = PageLeft + (b.left + b.right) / 2, cy = PageTop + (b.top + b.bottom) / 2;
            const int r = std::max(b.right - b.left, b.bottom - b.top) / 2 + 8;
            Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
        }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(red);
}

void PaintThumb(HDC dc) {
    FillRect(dc, &Thumb, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (ThumbPixels.empty()) {
        RECT text = Thumb;
        DrawTextA(dc, "(no page)", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        StretchDIBits(dc, Thumb.left, Thumb.top, Thumb.right - Thumb.left, Thumb.bottom - Thumb.top,
                      0, 0, StdPageWidth, StdPageHeight, ThumbPixels.data(),
                      reinterpret_cast<BITMAPINFO*>(&ThumbInfo), DIB_RGB_COLORS, SRCCOPY);
    }
    FrameRect(dc, &Thumb, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

HWND AddControl(const char* kind, const char* text, DWORD style, int id, int y, int height) {
    HWND control =
        CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, ColumnLeft, y, ColumnWidth,
                        height, Window, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void CreateControls() {
    AddControl("BUTTON", "Open drawing...", BS_PUSHBUTTON | WS_TABSTOP, IdOpen, 6, 28);
    AddControl("STATIC", "", 0, IdThresholdText, 40, 16);
    HWND slider =
        AddControl(TRACKBAR_CLASSA, "", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, IdThreshold, 56, 26);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 255));
    SendMessageA(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, 16);
    SendMessageA(slider, TBM_SETPOS, TRUE, Work.settings.threshold);
    AddControl("STATIC", "Thicker lines:", 0, 0, 86, 16);
    HWND thicken = AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, IdThicken, 102, 100);
    for (const char* choice : {"no", "by 1 pixel", "by 2 pixels"})
        SendMessageA(thicken, CB_ADDSTRING, 0, LPARAM(choice));
    SendMessageA(thicken, CB_SETCURSEL, 0, 0);
    AddControl("STATIC", "Gaps up to:", 0, 0, 130, 16);
    HWND gaps = AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, IdGaps, 146, 140);
    for (const char* choice :
         {"1 pixel", "2 pixels", "3 pixels", "4 pixels", "5 pixels", "6 pixels"})
        SendMessageA(gaps, CB_ADDSTRING, 0, LPARAM(choice));
    SendMessageA(gaps, CB_SETCURSEL, Work.settings.gaps - 1, 0);
    AddControl("BUTTON", "Turn a quarter", BS_AUTOCHECKBOX | WS_TABSTOP, IdTurn, 174, 20);
    AddControl("BUTTON", "Close gaps", BS_PUSHBUTTON | WS_TABSTOP, IdCloseGaps, 198, 24);
    AddControl("BUTTON", "Fill tiny pockets", BS_PUSHBUTTON | WS_TABSTOP, IdFillPockets, 226, 24);
    AddControl("BUTTON", "Mend all", BS_PUSHBUTTON | WS_TABSTOP, IdMendAll, 254, 24);
    AddControl("STATIC", "", 0, IdCounts, 284, 64);
    AddControl("STATIC", "Replace picture:", 0, 0, 352, 16);
    HWND picture = AddControl("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, IdPicture, 368, 150);
    for (const PageSetEntry& p : PageSet)
        SendMessageA(picture, CB_ADDSTRING, 0, LPARAM(p.title));
    SendMessageA(picture, CB_SETCURSEL, 0, 0);
    AddControl("BUTTON", "Replace", BS_PUSHBUTTON | WS_TABSTOP, IdReplace, 480, 30);
    HWND status = AddControl("STATIC", "", 0, IdStatus, PageTop + StdPageHeight + 8, 40);
    SetWindowPos(status, nullptr, PageLeft, PageTop + StdPageHeight + 8, StdPageWidth, 40,
                 SWP_NOZORDER);
}

LRESULT CALLBACK MakerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: // the controls exist as soon as the window does
        Window = window;
        CreateControls();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintPage(dc);
        PaintThumb(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_HSCROLL:
        Work.settings.threshold = int(SendDlgItemMessageA(window, IdThreshold, TBM_GETPOS, 0, 0));
        SettingChanged();
        return 0;
    case WM_TIMER:
        if (wParam == RebuildTimer) {
            KillTimer(window, RebuildTimer);
            PageChanged();
        }
        return 0;
    case WM_CLOSE:
        if (Unsaved && MessageBoxA(window,
                                   "The page made from this drawing has not replaced a picture. "
                                   "Close the Page Maker and lose it?",
                                   "Hueberry Page Maker", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return 0;
        DestroyWindow(window);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IdOpen:
            OpenDrawing();
            break;
        case IdThicken:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                Work.settings.thicken =
                    int(SendDlgItemMessageA(window, IdThicken, CB_GETCURSEL, 0, 0));
                SettingChanged();
            }
            break;
        case IdGaps:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                Work.settings.gaps =
                    1 + int(SendDlgItemMessageA(window, IdGaps, CB_GETCURSEL, 0, 0));
                SettingChanged();
            }
            break;
        case IdTurn:
            Work.settings.turn = IsDlgButtonChecked(window, IdTurn) == BST_CHECKED;
            SettingChanged();
            break;
        case IdCloseGaps:
            Work.mending.gaps = true;
            SettingChanged();
            break;
        case IdFillPockets:
            Work.mending.pockets = true;
            SettingChanged();
            break;
        case IdMendAll:
            Work.mending = MendAll;
            SettingChanged();
            break;
        case IdPicture:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                LoadThumb();
            break;
        case IdReplace:
            Replace();
            break;
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int RunMakerWindow(HINSTANCE instance, int showCommand) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The Open dialog starts among the user's pictures, not among the program's page files.
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, 0, DrawingsFolder)))
        DrawingsFolder[0] = 0;
    ViewInfo.header = {
        sizeof(BITMAPINFOHEADER), StdPageWidth, StdPageHeight, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    ViewInfo.colours[MarkColour] = {0, 0, 255, 0};
    for (int i = FirstTint; i < 256; ++i) {
        const Tint tint = RegionTint(i);
        ViewInfo.colours[i] = {tint.blue, tint.green, tint.red, 0};
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MakerWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "PageMakerIcon");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "HBPAGESWIN";
    RegisterClassA(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, ClientWidth, ClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    Window = CreateWindowExA(0, "HBPAGESWIN", "Hueberry Page Maker", style, CW_USEDEFAULT,
                             CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                             nullptr, nullptr, instance, nullptr);
    if (!Window)
        return 1;
    SetText(IdStatus, "Open a drawing: a scanned colouring page, a drawing from a website or a "
                      "child's own outline.");
    PageChanged();
    LoadThumb();
    ShowWindow(Window, showCommand);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(Window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

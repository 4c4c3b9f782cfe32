// The Page Maker's window: the page with its regions tinted and its problems marked, the controls
// that shape it, and the choice of the picture it replaces; laid out from the monitor's DPI and the
// system's message font.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <cstdio>

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
    IdDrawing,
    IdPhoto,
    IdDetailText,
    IdDetail,
    IdFirstCaption = 200, // a caption's id: this and its row's number
};

// The column beside the page, top to bottom. On a screen too short for one column the rows go on
// in a second, a row kept with the next never parted from it.
enum class Kind { Button, Label, Slider, Check, Radio, Choice, Thumb };
struct Row {
    Kind kind;
    int id;
    const wchar_t* text;           // a label whose text changes: the widest it shows
    const wchar_t* const* choices; // a choice's items, ended by null (none: filled in later)
    int lines;                     // a label's lines of text
    bool withNext;
};
constexpr const wchar_t* ThickenChoices[] = {L"no", L"by 1 pixel", L"by 2 pixels", nullptr};
constexpr const wchar_t* GapChoices[] = {L"1 pixel",  L"2 pixels", L"3 pixels", L"4 pixels",
                                         L"5 pixels", L"6 pixels", nullptr};
constexpr Row Rows[] = {
    {Kind::Button, IdOpen, L"Open drawing...", nullptr, 1, false},
    // What the page is made from, as the Page Maker judged it or as the parent chose; a photo's
    // detail (drawings have the settings below).
    {Kind::Radio, IdDrawing, L"Drawing", nullptr, 1, true},
    {Kind::Radio, IdPhoto, L"Photo", nullptr, 1, true},
    {Kind::Label, IdDetailText, L"Detail: 5 of 5", nullptr, 1, true},
    {Kind::Slider, IdDetail, L"", nullptr, 1, false},
    {Kind::Label, IdThresholdText, L"Threshold: 255", nullptr, 1, true},
    {Kind::Slider, IdThreshold, L"", nullptr, 1, false},
    {Kind::Label, 0, L"Thicker lines:", nullptr, 1, true},
    {Kind::Choice, IdThicken, L"", ThickenChoices, 1, false},
    {Kind::Label, 0, L"Gaps up to:", nullptr, 1, true},
    {Kind::Choice, IdGaps, L"", GapChoices, 1, false},
    {Kind::Check, IdTurn, L"Turn a quarter", nullptr, 1, false},
    {Kind::Button, IdCloseGaps, L"Close gaps", nullptr, 1, false},
    {Kind::Button, IdFillPockets, L"Fill tiny pockets", nullptr, 1, false},
    {Kind::Button, IdMendAll, L"Mend all", nullptr, 1, false},
    {Kind::Label, IdCounts, L"Tiny regions: 000000", nullptr, 4, false},
    {Kind::Label, 0, L"Replace picture:", nullptr, 1, true},
    {Kind::Choice, IdPicture, L"", nullptr, 1, true},
    {Kind::Thumb, 0, L"", nullptr, 1, true},
    {Kind::Button, IdReplace, L"Replace", nullptr, 1, false},
};
constexpr int RowCount = int(sizeof Rows / sizeof Rows[0]);

int ControlId(int row) {
    return Rows[row].id ? Rows[row].id : IdFirstCaption + row;
}

// What the line under the page says; its height is that of the longest of them.
constexpr const wchar_t* Welcome = L"Open a drawing: a scanned colouring page, a drawing from a "
                                   L"website or a child's own outline.";
constexpr const wchar_t* Explained =
    L"Each tint is what one click fills. Red marks a leak (a gap that lets the colour run into the "
    L"next area) or a region too small to hit. Mend all cleans specks, closes gaps and fills tiny "
    L"pockets.";
constexpr const wchar_t* PhotoExplained =
    L"A photo: each tint is what one click fills, every area closed. Detail sets how many areas: "
    L"fewer for the youngest or a busy photo. Not a photo? Click Drawing.";
constexpr const wchar_t* NoLines =
    L"Nothing to colour: this drawing gives no line at this threshold.";
constexpr const wchar_t* TooFew = L"Nothing to colour: this drawing gives fewer than two areas "
                                  L"large enough to colour. Try another threshold or drawing.";

constexpr uint8_t LineColour = 0, MarkColour = 1, FirstTint = 2;
constexpr UINT_PTR RebuildTimer = 1;
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;

HWND Window;
MakerWork Work;
bool Unsaved;                     // the page made differs from what was last put in a picture
wchar_t DrawingsFolder[MAX_PATH]; // where the Open dialog starts

// The layout: the DPI of the window's monitor, the message font at that DPI, and what they give.
int Dpi = 96;
HFONT Font;
int LineHeight;
int ColumnWidth;
int Heights[RowCount];
RECT PageBox; // the page, 1:1 or smaller
RECT Thumb;

// The picture that is there now, as Hueberry would show it.
std::vector<uint8_t> ThumbPixels;
MYBITMAPINFO ThumbInfo;

struct PageBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};
PageBitmapInfo ViewInfo;

int Px(int at96) {
    return MulDiv(at96, Dpi, 96);
}

// The per-monitor DPI calls exist from Windows 10 on; earlier systems scale the whole system alike.
template <typename Call> Call User32(const char* name) {
    return reinterpret_cast<Call>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int WindowDpi() {
    static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const int dpi = forWindow ? int(forWindow(Window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

RECT Framed(RECT client) {
    static const auto forDpi =
        User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&client, WindowStyle, FALSE, 0, UINT(Dpi)))
        AdjustWindowRectEx(&client, WindowStyle, FALSE, 0);
    return client;
}

// A DC of the screen with the window's font in it.
struct FontDc {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font);
    ~FontDc() {
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
};

SIZE TextSize(HDC dc, const std::wstring& text, int wrapWidth = 0) {
    RECT box = {0, 0, wrapWidth, 0};
    DrawTextW(dc, text.c_str(), -1, &box,
              DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : 0));
    return {box.right, box.bottom};
}

void SetText(int id, const std::wstring& text) {
    SetDlgItemTextW(Window, id, text.c_str());
}

std::wstring DoneText(const PageSetEntry& picture) {
    const std::wstring file = Wide(picture.file);
    return file + L" is now this drawing. The old page is kept as " + file +
           L".bak; the title under the picture stays " + Wide(picture.title) + L".";
}

// The system's message font at the window's DPI; before Windows 10 it is given at the system's.
void MakeFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    static const auto forDpi =
        User32<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(Dpi))) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, Dpi, SystemDpi());
    }
    const HFONT old = Font;
    Font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (HWND c = GetWindow(Window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_SETFONT, WPARAM(Font), FALSE);
    if (old)
        DeleteObject(old);
    FontDc measure;
    TEXTMETRICW text;
    GetTextMetricsW(measure.dc, &text);
    LineHeight = text.tmHeight;
}

// The rows' heights and the width of a column, from the font's measure of every text in it.
void MeasureRows() {
    FontDc measure;
    ColumnWidth = Px(112);
    for (int i = 0; i < RowCount; ++i) {
        const Row& row = Rows[i];
        HWND control = GetDlgItem(Window, ControlId(i));
        const int text = TextSize(measure.dc, row.text).cx;
        int width = 0;
        switch (row.kind) {
        case Kind::Button:
            Heights[i] = LineHeight + Px(10);
            width = text + Px(16);
            break;
        case Kind::Label:
            Heights[i] = row.lines * LineHeight;
            width = text;
            break;
        case Kind::Slider:
            Heights[i] = Px(26);
            break;
        case Kind::Check:
        case Kind::Radio:
            Heights[i] = std::max(LineHeight, Px(13)) + Px(4);
            width = text + Px(13 + 8); // the box, a gap, the text
            break;
        case Kind::Choice: {
            RECT field = {}; // the closed box is as tall as its font makes it
            GetWindowRect(control, &field);
            Heights[i] = field.bottom - field.top;
            const int count = int(SendMessageW(control, CB_GETCOUNT, 0, 0));
            for (int item = 0; item < count; ++item) {
                wchar_t choice[100] = L"";
                if (SendMessageW(control, CB_GETLBTEXTLEN, item, 0) < 100)
                    SendMessageW(control, CB_GETLBTEXT, item, LPARAM(choice));
                width = std::max(width, int(TextSize(measure.dc, choice).cx) + Px(17 + 10));
            }
            break;
        }
        case Kind::Thumb:
            Heights[i] = 0; // as tall as the column's width makes it
            break;
        }
        ColumnWidth = std::max(ColumnWidth, width);
    }
    for (int i = 0; i < RowCount; ++i)
        if (Rows[i].kind == Kind::Thumb)
            Heights[i] = ColumnWidth * StdPageHeight / StdPageWidth;
}

int RowGap(int row) {
    return Rows[row].withNext ? Px(2) : Px(8);
}

// The rows flowed into columns of at most height (one group at least in each); tallest is the
// tallest column's height.
struct Flow {
    int columns = 1, tallest = 0;
    int column[RowCount], top[RowCount];
};
Flow FlowRows(int height) {
    Flow flow;
    int y = 0;
    for (int first = 0, last; first < RowCount; first = last + 1) {
        int group = Heights[first];
        for (last = first; Rows[last].withNext && last + 1 < RowCount; ++last)
            group += RowGap(last) + Heights[last + 1];
        if (y > 0 && y + group > height)
            ++flow.columns, y = 0;
        for (int i = first; i <= last; ++i) {
            flow.column[i] = flow.columns - 1, flow.top[i] = y;
            flow.tallest = std::max(flow.tallest, y + Heights[i]);
            y += Heights[i] + RowGap(i);
        }
    }
    return flow;
}

int ColumnsWidth(int columns) {
    return columns * ColumnWidth + (columns - 1) * Px(8);
}

int StatusHeight(int width) {
    FontDc measure;
    int height = 0;
    for (const wchar_t* text : {Welcome, Explained, PhotoExplained, NoLines, TooFew})
        height = std::max(height, int(TextSize(measure.dc, text, width).cy));
    for (const PageSetEntry& picture : PageSet)
        height = std::max(height, int(TextSize(measure.dc, DoneText(picture), width).cy));
    return height;
}

// The client size that shows the page at pageWidth with its controls beside it, no taller than
// heightLimit. A column may run a quarter taller than the page and its status line (one column
// suits the smaller scales), beyond that the rows go on in another.
SIZE ClientFor(int pageWidth, int heightLimit) {
    const int margin = Px(6), gap = Px(8);
    const int pageHeight = pageWidth * StdPageHeight / StdPageWidth;
    const int page = 2 * margin + pageHeight + gap + StatusHeight(pageWidth);
    const int height =
        std::min(heightLimit, std::max(page * 5 / 4, 2 * margin + FlowRows(0).tallest));
    const Flow flow = FlowRows(height - 2 * margin);
    return {2 * margin + pageWidth + gap + ColumnsWidth(flow.columns),
            std::min(height, std::max(page, 2 * margin + flow.tallest))};
}

void LayOut() {
    RECT client;
    GetClientRect(Window, &client);
    const int margin = Px(6), gap = Px(8);
    const Flow flow = FlowRows(client.bottom - 2 * margin);
    const int left = client.right - margin - ColumnsWidth(flow.columns);
    const int roomWidth = std::max(left - gap - margin, 1);
    const int statusHeight = StatusHeight(roomWidth);
    const int roomHeight = std::max(int(client.bottom) - 2 * margin - gap - statusHeight, 1);
    // 1:1 when there is room; smaller, its shape kept, when not.
    int width = std::min({StdPageWidth, roomWidth, roomHeight * StdPageWidth / StdPageHeight});
    width = std::max(width, 1);
    PageBox = {margin, margin, margin + width, margin + width * StdPageHeight / StdPageWidth};
    HDWP moves = BeginDeferWindowPos(RowCount + 1);
    const auto place = [&](int id, int x, int y, int w, int h) {
        if (HWND control = GetDlgItem(Window, id); control && moves)
            moves =
                DeferWindowPos(moves, control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(IdStatus, margin, PageBox.bottom + gap, roomWidth, statusHeight);
    for (int i = 0; i < RowCount; ++i) {
        const int x = left + flow.column[i] * (ColumnWidth + gap), y = margin + flow.top[i];
        if (Rows[i].kind == Kind::Thumb)
            Thumb = {x, y, x + ColumnWidth, y + Heights[i]};
        else // a choice is given the height of its open list besides
            place(ControlId(i), x, y, ColumnWidth,
                  Heights[i] + (Rows[i].kind == Kind::Choice ? 9 * LineHeight : 0));
    }
    if (moves)
        EndDeferWindowPos(moves);
    InvalidateRect(Window, nullptr, TRUE);
}

// The DPI or the font changed: new fonts, new measures, and a window that fits its monitor.
void Rescale(int dpi, const RECT* suggested) {
    Dpi = dpi;
    MakeFont();
    MeasureRows();
    if (suggested) {
        SetWindowPos(Window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else { // the first time: as large as shows the page 1:1, within the work area, centred
        MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
        GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT work = monitor.rcWork, frame = Framed({0, 0, 0, 0});
        const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
        SIZE client = ClientFor(StdPageWidth, work.bottom - work.top - frameHeight);
        client.cx = std::min(int(client.cx), int(work.right - work.left) - frameWidth);
        const int width = client.cx + frameWidth, height = client.cy + frameHeight;
        SetWindowPos(Window, nullptr, work.left + (work.right - work.left - width) / 2,
                     work.top + (work.bottom - work.top - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayOut();
}

int SelectedPicture() {
    return int(SendDlgItemMessageW(Window, IdPicture, CB_GETCURSEL, 0, 0));
}

void LoadThumb() {
    wchar_t path[MAX_PATH];
    std::vector<uint8_t> bytes;
    BitmapFileHeader fh;
    // A 1-bit page holds outline and blank pixels only: black and white are all it shows in; a
    // coloured page brings its own colours.
    PalEntry plain[256];
    for (PalEntry& entry : plain)
        entry = {255, 255, 255, 0};
    plain[OutlineIndex] = {0, 0, 0, 0};
    ThumbPixels.resize(PagePixelBytes);
    if (!PicturePath(SelectedPicture(), path) || ReadWholeFile(path, bytes) != ReadResult::Ok ||
        !ParsePage(bytes.data(), bytes.size(), plain, fh, ThumbInfo, ThumbPixels.data()))
        ThumbPixels.clear();
    InvalidateRect(Window, &Thumb, FALSE);
}

void ShowThreshold() {
    SetText(IdThresholdText, L"Threshold: " + std::to_wstring(Work.settings.threshold));
    SetText(IdDetailText, L"Detail: " + std::to_wstring(Work.settings.detail) + L" of " +
                              std::to_wstring(DetailSteps));
}

// After any change to the page: the counts, which buttons make sense, and the view.
void PageChanged() {
    const bool open = !Work.drawing.grey.empty();
    if (open)
        RebuildPage(Work);
    ShowThreshold();
    const PageVerdict verdict = open ? JudgePage(Work.mask, Work.check) : PageVerdict::NoLines;
    SetText(IdCounts, open ? Wide(CountsText(Work.check, true)) : L"No drawing yet");
    // A photo's page is closed as made: the drawing's settings and mending are for drawings.
    const bool photo = open && Work.settings.kind == PageKind::Photo;
    CheckRadioButton(Window, IdDrawing, IdPhoto, photo ? IdPhoto : IdDrawing);
    EnableWindow(GetDlgItem(Window, IdDrawing), open);
    EnableWindow(GetDlgItem(Window, IdPhoto), open && !Work.photo.Empty());
    EnableWindow(GetDlgItem(Window, IdDetail), photo);
    for (int id : {IdThreshold, IdThicken, IdGaps, IdTurn})
        EnableWindow(GetDlgItem(Window, id), !photo);
    EnableWindow(GetDlgItem(Window, IdCloseGaps), !photo && open && !Work.check.leaks.empty());
    EnableWindow(GetDlgItem(Window, IdFillPockets), !photo && open && !Work.check.tiny.empty());
    EnableWindow(GetDlgItem(Window, IdMendAll), !photo && open);
    EnableWindow(GetDlgItem(Window, IdReplace), verdict == PageVerdict::Usable);
    if (open && verdict != PageVerdict::Usable)
        SetText(IdStatus, verdict == PageVerdict::NoLines ? NoLines : TooFew);
    InvalidateRect(Window, &PageBox, FALSE);
}

// A change of setting or mending: the page is rebuilt once the input waiting has been read, so
// that a run of keys or a dragged slider rebuilds the latest setting only (a timer message comes
// after every other message in the queue).
void SettingChanged() {
    Unsaved = !Work.drawing.grey.empty();
    ShowThreshold();
    SetTimer(Window, RebuildTimer, 1, nullptr);
}

int Message(const std::wstring& text, UINT type) {
    return MessageBoxW(Window, text.c_str(), L"Hueberry Page Maker", type);
}

void OpenDrawing() {
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Window;
    dialog.lpstrFilter =
        L"Drawings and photos\0*.png;*.jpg;*.jpeg;*.gif;*.bmp;*.tif;*.tiff;*.heic;*.heif;*.col\0"
        L"All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = L"Open a drawing";
    dialog.lpstrInitialDir = DrawingsFolder;
    // The program's current folder stays where it started: a folder held as current cannot be
    // removed while the Page Maker runs.
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog))
        return;
    Drawing drawing;
    RgbImage photo;
    const DrawingRead read = ReadDrawing(path, drawing, photo);
    if (read != DrawingRead::Ok) {
        Message(std::wstring(path) + Wide(ReadFailure(read)) +
                    (read == DrawingRead::Unreadable
                         ? L".\n\nPage Maker opens PNG, JPEG, GIF, BMP and TIFF photos and "
                           L"drawings and Hueberry pages."
                         : L"."),
                MB_ICONEXCLAMATION);
        return;
    }
    Work.drawing = std::move(drawing);
    Work.photo = std::move(photo);
    Work.partsMade = false;
    Work.settings.kind = ChooseKind(KindChoice::FromImage, Work.photo);
    Work.pageGrey.clear();
    Work.mending = MakerMending();
    Unsaved = true;
    const std::wstring chosen = path;
    const size_t name = chosen.find_last_of(L'\\');
    if (name != std::wstring::npos) { // the next Open starts in this drawing's folder
        chosen.copy(DrawingsFolder, name);
        DrawingsFolder[name] = 0;
    }
    SetWindowTextW(Window, (L"Hueberry Page Maker - " + chosen.substr(name + 1)).c_str());
    SetText(IdStatus, Work.settings.kind == PageKind::Photo ? PhotoExplained : Explained);
    PageChanged();
}

void Replace() {
    const PageSetEntry& picture = PageSet[SelectedPicture()];
    if (HueberryRunning()) {
        Message(L"Hueberry is running. Close it first: it saves the picture it has open when it "
                L"steps to another one or quits, and would write it over the new one.",
                MB_ICONEXCLAMATION);
        return;
    }
    const std::wstring file = Wide(picture.file);
    if (Message(L"Replace " + Wide(picture.title) + L" with this drawing?\n\nThe new page has " +
                    std::to_wstring(Work.check.leaks.size()) + L" leaks and " +
                    std::to_wstring(Work.check.tiny.size()) + L" tiny regions.\nThe old " + file +
                    L" is kept as " + file + L".bak.",
                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    wchar_t path[MAX_PATH];
    const ReplaceResult result = PicturePath(SelectedPicture(), path) ? ReplacePage(path, Work.mask)
                                                                      : ReplaceResult::WriteFailed;
    if (result == ReplaceResult::Done) {
        Unsaved = false;
        SetText(IdStatus, DoneText(picture));
    } else {
        Message(result == ReplaceResult::BackupFailed
                    ? file + L".bak could not be written, so nothing was changed."
                    : file +
                          L" could not be written (is it read-only?); the old page is unchanged.",
                MB_ICONEXCLAMATION);
        SetText(IdStatus, L"");
    }
    LoadThumb();
}

// The page as a child will see it, each region in a light tint of its own, lines black and the
// problems red.
void PaintPage(HDC dc) {
    if (Work.drawing.grey.empty()) {
        FillRect(dc, &PageBox, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FrameRect(dc, &PageBox, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        RECT text = PageBox;
        DrawTextW(dc, L"Open a drawing to make a page of it.", -1, &text,
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
    const int width = PageBox.right - PageBox.left, height = PageBox.bottom - PageBox.top;
    SetStretchBltMode(dc, width < StdPageWidth ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, PageBox.left, PageBox.top, width, height, 0, 0, StdPageWidth, StdPageHeight,
                  view.data(), reinterpret_cast<BITMAPINFO*>(&ViewInfo), DIB_RGB_COLORS, SRCCOPY);
    // A ring round each problem, since a gap or a pocket may be a few pixels only.
    HPEN red = CreatePen(PS_SOLID, Px(2), RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, red);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const std::vector<PixelBox>* boxes : {&check.leaks, &check.tiny})
        for (const PixelBox& b : *boxes) {
            const int cx = PageBox.left + (b.left + b.right) / 2 * width / StdPageWidth;
            const int cy = PageBox.top + (b.top + b.bottom) / 2 * width / StdPageWidth;
            const int r =
                std::max(b.right - b.left, b.bottom - b.top) / 2 * width / StdPageWidth + Px(8);
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
        DrawTextW(dc, L"(no page)", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchDIBits(dc, Thumb.left, Thumb.top, Thumb.right - Thumb.left, Thumb.bottom - Thumb.top,
                      0, 0, StdPageWidth, StdPageHeight, ThumbPixels.data(),
                      reinterpret_cast<BITMAPINFO*>(&ThumbInfo), DIB_RGB_COLORS, SRCCOPY);
    }
    FrameRect(dc, &Thumb, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

HWND AddControl(const wchar_t* kind, const wchar_t* text, DWORD style, int id) {
    return CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Window,
                           reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
}

// The controls are placed by LayOut.
void CreateControls() {
    for (int i = 0; i < RowCount; ++i) {
        const Row& row = Rows[i];
        switch (row.kind) {
        case Kind::Button:
            AddControl(WC_BUTTONW, row.text, BS_PUSHBUTTON | WS_TABSTOP, row.id);
            break;
        case Kind::Label:
            AddControl(WC_STATICW, row.text, SS_LEFT, ControlId(i));
            break;
        case Kind::Slider:
            AddControl(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, row.id);
            break;
        case Kind::Check:
            AddControl(WC_BUTTONW, row.text, BS_AUTOCHECKBOX | WS_TABSTOP, row.id);
            break;
        case Kind::Radio: // the first of a pair starts its group
            AddControl(WC_BUTTONW, row.text,
                       BS_AUTORADIOBUTTON | (row.id == IdDrawing ? WS_GROUP | WS_TABSTOP : 0),
                       row.id);
            break;
        case Kind::Choice: {
            HWND choice =
                AddControl(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, row.id);
            for (const wchar_t* const* c = row.choices; c && *c; ++c)
                SendMessageW(choice, CB_ADDSTRING, 0, LPARAM(*c));
            SendMessageW(choice, CB_SETCURSEL, 0, 0);
            break;
        }
        case Kind::Thumb:
            break;
        }
    }
    AddControl(WC_STATICW, L"", SS_LEFT, IdStatus);
    HWND slider = GetDlgItem(Window, IdThreshold);
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(1, 255));
    SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 16);
    SendMessageW(slider, TBM_SETPOS, TRUE, Work.settings.threshold);
    HWND detail = GetDlgItem(Window, IdDetail);
    SendMessageW(detail, TBM_SETRANGE, TRUE, MAKELPARAM(1, DetailSteps));
    SendMessageW(detail, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(detail, TBM_SETPOS, TRUE, Work.settings.detail);
    EnableWindow(detail, FALSE); // until a photo is open
    SendDlgItemMessageW(Window, IdGaps, CB_SETCURSEL, Work.settings.gaps - 1, 0);
    HWND picture = GetDlgItem(Window, IdPicture);
    for (const PageSetEntry& p : PageSet)
        SendMessageW(picture, CB_ADDSTRING, 0, LPARAM(Wide(p.title).c_str()));
    SendMessageW(picture, CB_SETCURSEL, 0, 0);
}

LRESULT CALLBACK MakerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: // the controls exist as soon as the window does
        Window = window;
        CreateControls();
        return 0;
    case WM_SIZE:
        if (Font)
            LayOut();
        return 0;
    case WM_GETMINMAXINFO: // the page at half its size at least, and every control in view
        if (Font) {
            const SIZE client = ClientFor(StdPageWidth / 2, INT_MAX);
            const RECT frame = Framed({0, 0, client.cx, client.cy});
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        }
        return 0;
    case WM_DPICHANGED: // moved to a monitor of another scale, or the scale changed
        Rescale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE: // the message font may have changed
        if (wParam == SPI_SETNONCLIENTMETRICS && Font) {
            RECT now;
            GetWindowRect(window, &now);
            Rescale(Dpi, &now);
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HGDIOBJ old = SelectObject(dc, Font);
        PaintPage(dc);
        PaintThumb(dc);
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_HSCROLL: {
        // A slider also reports the end of each key press or drag, where nothing moved: only a
        // new value rebuilds the page.
        const int id = HWND(lParam) == GetDlgItem(window, IdDetail) ? IdDetail : IdThreshold;
        int& setting = id == IdDetail ? Work.settings.detail : Work.settings.threshold;
        const int value = int(SendDlgItemMessageW(window, id, TBM_GETPOS, 0, 0));
        if (value != setting) {
            setting = value;
            SettingChanged();
        }
        return 0;
    }
    case WM_TIMER:
        if (wParam == RebuildTimer) {
            KillTimer(window, RebuildTimer);
            PageChanged();
        }
        return 0;
    case WM_CLOSE:
        if (Unsaved && Message(L"The page made from this drawing has not replaced a picture. "
                               L"Close the Page Maker and lose it?",
                               MB_YESNO | MB_ICONQUESTION) != IDYES)
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
                    int(SendDlgItemMessageW(window, IdThicken, CB_GETCURSEL, 0, 0));
                SettingChanged();
            }
            break;
        case IdGaps:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                Work.settings.gaps =
                    1 + int(SendDlgItemMessageW(window, IdGaps, CB_GETCURSEL, 0, 0));
                SettingChanged();
            }
            break;
        case IdDrawing:
        case IdPhoto:
            Work.settings.kind = LOWORD(wParam) == IdPhoto ? PageKind::Photo : PageKind::Drawing;
            SetText(IdStatus, Work.settings.kind == PageKind::Photo ? PhotoExplained : Explained);
            SettingChanged();
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
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int RunMakerWindow(HINSTANCE instance, int showCommand) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The Open dialog starts among the user's pictures, not among the program's page files.
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, DrawingsFolder)))
        DrawingsFolder[0] = 0;
    ViewInfo.header = {
        sizeof(BITMAPINFOHEADER), StdPageWidth, StdPageHeight, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    ViewInfo.colours[MarkColour] = {0, 0, 255, 0};
    for (int i = FirstTint; i < 256; ++i) {
        const Tint tint = RegionTint(i);
        ViewInfo.colours[i] = {tint.blue, tint.green, tint.red, 0};
    }

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MakerWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"PageMakerIcon");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"HBPAGESWIN";
    RegisterClassW(&windowClass);
    Window = CreateWindowExW(0, L"HBPAGESWIN", L"Hueberry Page Maker", WindowStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             instance, nullptr);
    if (!Window)
        return 1;
    Rescale(WindowDpi(), nullptr);
    SetText(IdStatus, Welcome);
    PageChanged();
    LoadThumb();
    ShowWindow(Window, showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(Window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(Font);
    return 0;
}

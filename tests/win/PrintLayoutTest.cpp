// The print layouts drawn onto a memory printer stand-in and read back, and the print job's
// endings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "WinTestSupport.h"
#include "app/App.h"
#include "page/Page.h"
#include "print/Layouts.h"
#include "print/Options.h"
#include "print/Print.h"

namespace {

constexpr int W = StdPageWidth, H = StdPageHeight;
constexpr uint32_t Sentinel = 0xFF00FF; // never a page colour: marks what a layout left alone
constexpr uint32_t White = 0xFFFFFF, Black = 0;
constexpr uint8_t Red = 2, Blue = 3, Cyan = 34;

// A top-down 32-bit DIB section in a memory context: the printable page, read back as 0xRRGGBB.
struct Device {
    int w, h;
    uint32_t* bits = nullptr;
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ previous;
    Device(int width, int height) : w(width), h(height) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        previous = SelectObject(dc, bitmap);
        for (int i = 0; i < w * h; ++i)
            bits[i] = Sentinel;
    }
    ~Device() {
        if (GetObjectType(dc) == OBJ_MEMDC) { // the print job deletes its context itself
            SelectObject(dc, previous);
            DeleteDC(dc);
        }
        DeleteObject(bitmap);
    }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits[size_t(y) * w + x] & 0xFFFFFF;
    }
    bool Untouched() const {
        GdiFlush();
        return std::all_of(bits, bits + w * h,
                           [](uint32_t p) { return (p & 0xFFFFFF) == Sentinel; });
    }
};

// Screen-compatible bitmaps may hold fewer colour bits than the page: allow a little rounding.
bool Near(uint32_t got, uint32_t want) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > 8)
            return false;
    return true;
}

#define EXPECT_COLOUR(got, want, what)                                                             \
    EXPECT_TRUE(Near(got, want)) << what << ": " << std::hex << (got)

class PrintLayout : public testing::Test {
  protected:
    std::vector<uint8_t> page = std::vector<uint8_t>(PagePixelBytes, BlankIndex);
    std::vector<uint8_t> scratch = std::vector<uint8_t>(PagePixelBytes);
    std::vector<uint8_t> printBuffer = std::vector<uint8_t>(PrintBufferBytes, 0);
    BitmapFileHeader savedFile;
    MYBITMAPINFO savedInfo;

    void SetUp() override {
        lpDib = page.data();
        lpDibClear = scratch.data();
        lpPrintBuf = printBuffer.data();
        bmfhead = {PageMagic, StdPageFileBytes, 0, 0, PageHeaderBytes};
        bmp = {};
        bmp.bmiHeader = {40, W, H, 1, 8, 0, PagePixelBytes, 0, 0, 256, 0};
        for (int i = 0; i < ColourCount; ++i)
            bmp.bmiColors[i] = {ColourTable[i].blue, ColourTable[i].green, ColourTable[i].red, 0};
        // Marks at known places of the picture (x, y from its top-left).
        const PageView picture{page.data(), W, H};
        Fill(picture, 0, 0, Red);                   // top-left corner: bottom-left on paper
        Fill(picture, 600, 0, Blue);                // top-right corner: top-left on paper
        Fill(picture, 600, 400, PrintedBlankIndex); // colour 27 prints like blank
        Fill(picture, 300, 200, Cyan); // across the middle, where the alternates split the picture
        savedFile = bmfhead;
        savedInfo = bmp;
    }
    void TearDown() override {
        EXPECT_EQ(std::memcmp(&savedFile, &bmfhead, sizeof bmfhead), 0);
        EXPECT_EQ(std::memcmp(&savedInfo, &bmp, sizeof bmp), 0)
            << "the page header must stay as it was";
        lpDib = lpDibClear = lpPrintBuf = nullptr;
        PrintMode = 0;
    }
    static void Fill(const PageView& picture, int x0, int y0, uint8_t index) {
        for (int y = y0; y < y0 + 60; ++y)
            for (int x = x0; x < x0 + 60; ++x)
                picture.At(x, y) = index;
    }
    // The colour the picture pixel (x, y) should print as.
    uint32_t Expected(int x, int y) const {
        const RgbQuad& c = bmp.bmiColors[page[size_t(H - 1 - y) * W + x]];
        return c.rgbRed == 239 && c.rgbGreen == 239
                   ? White
                   : uint32_t(c.rgbRed << 16 | c.rgbGreen << 8 | c.rgbBlue);
    }
};

// Paper position (u, v) from the turned picture's top-left shows picture pixel (659 - v, u).
struct Mark {
    int x, y; // picture pixel at a mark's centre
    uint32_t colour;
    const char* what;
};
const Mark Marks[] = {
    {30, 30, 0xFF0000, "top-left mark"},
    {630, 30, 0x0000A0, "top-right mark"},
    {630, 430, White, "colour 27"},
    {200, 300, White, "blank"},
    {330, 230, 0x00FFFF, "last row above the split"},
    {329, 230, 0x00FFFF, "first row below the split"},
};

int Print(HDC dc, int pw, int ph) {
    return PrintMode == 0 ? PrintDefault(dc, short(pw), short(ph))
                          : PrintAlternate(dc, short(pw), short(ph));
}

// The stretched layouts on a 1200 x 1500 page: the framed picture at (206, 187), in one piece
// (Default) or as two stacked halves that make one picture with no line between them.
TEST_F(PrintLayout, StretchedLayoutsTurnFrameAndPlaceThePicture) {
    struct Case {
        int mode, frame, pieces, destW, destH; // destH: the height of each piece on paper
    };
    for (const Case c : {Case{0, 4, 1, 788, 1125}, Case{1, 3, 2, 787, 562}}) {
        SCOPED_TRACE(c.mode);
        PrintMode = c.mode;
        Device device(1200, 1500);
        ASSERT_EQ(Print(device.dc, 1200, 1500), 1);
        const int fw = H + 2 * c.frame, fh = W + 2 * c.frame, ph = fh / c.pieces;
        const double sx = double(c.destW) / fw, sy = double(c.destH) / ph;
        auto paper = [&](double u, double v) {
            const int piece = int(v) / ph;
            return device.At(206 + int(u * sx), 187 + piece * c.destH + int((v - piece * ph) * sy));
        };
        for (const Mark& m : Marks)
            EXPECT_COLOUR(paper(c.frame + m.y + 0.5, c.frame + (W - 1 - m.x) + 0.5), m.colour,
                          m.what);
        // A black frame on every side, white blank just inside it.
        for (double inset : {0.2, 1.5, c.frame - 0.2}) {
            EXPECT_EQ(paper(inset, fh / 4), Black) << "left " << inset;
            EXPECT_EQ(paper(fw - inset, 3 * fh / 4), Black) << "right " << inset;
            EXPECT_EQ(paper(fw / 4, inset), Black) << "top " << inset;
            EXPECT_EQ(paper(fw / 4, fh - inset), Black) << "bottom " << inset;
        }
        EXPECT_EQ(paper(c.frame + 0.6, fh / 4), White);
        EXPECT_EQ(paper(fw / 4, fh - c.frame - 0.6), White);
        for (int y = 745; c.pieces == 2 && y < 754; ++y)
            EXPECT_EQ(device.At(206 + int(100 * sx), y), White) << "line between halves at " << y;
        // Nothing outside the target rectangle.
        EXPECT_EQ(device.At(205, 700), Sentinel);
        EXPECT_EQ(device.At(206 + c.destW, 700), Sentinel);
        EXPECT_EQ(device.At(600, 186), Sentinel);
        EXPECT_EQ(device.At(600, 187 + c.pieces * c.destH), Sentinel);
        if (c.mode == 1) { // any stored mode other than 0 and 2 prints the same halves
            PrintMode = 7;
            Device other(1200, 1500);
            ASSERT_EQ(PrintAlternate(other.dc, 1200, 1500), 1);
            GdiFlush();
            EXPECT_EQ(std::memcmp(device.bits, other.bits, size_t(1200) * 1500 * 4), 0);
        }
    }
}

TEST_F(PrintLayout, BlocksCopyEveryPixelAtAWholeFactor) {
    PrintMode = 2;
    // k = 3: the framed picture 1398 x 1998 at (51, 151), its lower half from 151 + 999.
    Device device(1500, 2300);
    ASSERT_EQ(PrintAlternate(device.dc, 1500, 2300), 1);
    int wrong = 0;
    for (int v = -3; v < W + 3; ++v)
        for (int u = -3; u < H + 3; ++u) {
            const int x = 51 + 3 * (u + 3) + 1;
            const int y = (v < 330 ? 151 + 3 * (v + 3) : 1150 + 3 * (v - 330)) + 1;
            const bool frame = u < 0 || u >= H || v < 0 || v >= W;
            const uint32_t want = frame ? Black : Expected(W - 1 - v, u);
            if (!Near(device.At(x, y), want) && ++wrong < 10)
                ADD_FAILURE() << "paper " << u << "," << v << ": " << std::hex << device.At(x, y);
        }
    EXPECT_EQ(wrong, 0);
    // White beyond the frame, where the half bitmaps are white; nothing before the offsets.
    EXPECT_EQ(device.At(51 + 1398 + 1, 600), White);
    EXPECT_EQ(device.At(600, 151 + 1998 + 1), White);
    EXPECT_EQ(device.At(50, 600), Sentinel);
    EXPECT_EQ(device.At(600, 150), Sentinel);
}

TEST_F(PrintLayout, NoPageNoDrawing) {
    Device device(600, 800);
    for (PrintMode = 0; PrintMode <= 2; PrintMode += 2) {
        lpDib = nullptr;
        EXPECT_EQ(Print(device.dc, 600, 800), 0);
        lpDib = page.data();
        bmp.bmiHeader.biWidth = 700; // the buffers only hold the standard page
        EXPECT_EQ(Print(device.dc, 600, 800), 0);
        bmp.bmiHeader.biWidth = W;
    }
    EXPECT_TRUE(device.Untouched());
}

// A device too large for 16-bit sizes is printed through a scaled mapping; here a scale of 2 on a
// smaller device shows that every layout lands on the device in place and in proportion.
TEST_F(PrintLayout, ScaledMappingKeepsEveryLayoutInPlace) {
    struct Case {
        int mode, pw, ph;
        int left, right, top, bottom; // the frame's outer edges in device pixels, -1 off the device
    };
    // Twice: 393 x 561 at (103, 94); 392 x 2 * 280 at (104, 94); k = 3 at (51, 151).
    for (const Case c :
         {Case{0, 600, 750, 206, 991, 188, 1309}, Case{1, 600, 750, 208, 991, 188, 1307},
          Case{2, 1500, 2300, 102, -1, 302, -1}}) {
        SCOPED_TRACE(c.mode);
        PrintMode = c.mode;
        Device device(1200, 1500);
        MapPrintableArea(device.dc, {c.pw, c.ph, 2, 0, 0});
        ASSERT_EQ(Print(device.dc, c.pw, c.ph), 1);
        // First and last black pixel along the middle row and column.
        int left = -1, right = -1, top = -1, bottom = -1;
        for (int x = 0; x < device.w; ++x)
            if (device.At(x, 750) == Black)
                (left < 0 ? left : right) = x;
        for (int y = 0; y < device.h; ++y)
            if (device.At(600, y) == Black)
                (top < 0 ? top : bottom) = y;
        EXPECT_NEAR(left, c.left, 2);
        EXPECT_NEAR(top, c.top, 2);
        if (c.right >= 0) {
            EXPECT_NEAR(right, c.right, 2);
            EXPECT_NEAR(bottom, c.bottom, 2);
        }
    }
}

LRESULT CALLBACK JobWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        lpDib = nullptr; // as shutdown does when it releases the page buffers
    return DefWindowProcA(window, message, wParam, lParam);
}

class PrintJob : public PrintLayout {
  protected:
    MessageBoxRecorder recorder;
    HCURSOR before = LoadCursor(nullptr, IDC_IBEAM);
    void SetUp() override {
        PrintLayout::SetUp();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = JobWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HbPrintJobTest";
        RegisterClassA(&windowClass);
        hWndMain = CreateWindowA("HbPrintJobTest", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        hcurWait = LoadCursor(nullptr, IDC_WAIT);
        hcurCurrent = before;
        BusyFlag = 1;
    }
    void TearDown() override {
        if (IsWindow(hWndMain))
            DestroyWindow(hWndMain);
        hWndMain = nullptr;
        lpDib = page.data();
        PrintLayout::TearDown();
    }
    // Every job, however it ends, draws nothing here, deletes the printer context and is no
    // longer busy.
    static void ExpectEnded(const Device& printer) {
        EXPECT_TRUE(printer.Untouched());
        EXPECT_EQ(GetObjectType(printer.dc), 0u) << "the printer context is deleted";
        EXPECT_EQ(BusyFlag, 0);
    }
};

TEST_F(PrintJob, EndingTheProgramFromTheSizeAssertionEndsTheJobThere) {
    MessageBoxRecorder::answer = IDCANCEL;
    Device printer(300, 300);
    EXPECT_EQ(RunPrintJob(hWndMain, printer.dc, 0, 0), 1);
    ASSERT_EQ(MessageBoxRecorder::boxes.size(), 1u);
    EXPECT_EQ(MessageBoxRecorder::boxes[0].text,
              "at line 49 in file Print: \"xPage || yPage\": OK to continue.");
    EXPECT_FALSE(IsWindow(hWndMain));
    EXPECT_EQ(hcurCurrent, before) << "the job went on after the program ended";
    ExpectEnded(printer);
}

TEST_F(PrintJob, AFailedStartDrawsNothingAndEndsLikeEveryJob) {
    for (int zeroSizes : {1, 0}) {
        SCOPED_TRACE(zeroSizes);
        MessageBoxRecorder::boxes.clear();
        MessageBoxRecorder::answer = IDOK;
        BusyFlag = 1;
        hcurCurrent = before;
        PostMessageA(hWndMain, WM_LBUTTONDOWN, 0, MAKELPARAM(300, 300));
        PostMessageA(hWndMain, WM_KEYDOWN, 'P', 0);
        // A memory context is no printer: the document cannot start. With zero sizes the assertion
        // is answered OK first and the job goes on.
        Device printer(300, 300);
        const int size = zeroSizes ? 0 : 300;
        EXPECT_EQ(RunPrintJob(hWndMain, printer.dc, size, size), 1);
        EXPECT_EQ(MessageBoxRecorder::boxes.size(), zeroSizes ? 1u : 0u);
        ExpectEnded(printer);
        EXPECT_EQ(hcurCurrent, hcurWait);
        EXPECT_TRUE(IsWindowEnabled(hWndMain));
        // The abort procedure may have dispatched them (the busy flag makes the program ignore
        // them); none may be left for after the job, and the pointer move comes last.
        MSG message;
        std::vector<UINT> left;
        while (PeekMessageA(&message, hWndMain, 0, 0, PM_REMOVE))
            left.push_back(message.message);
        ASSERT_FALSE(left.empty());
        EXPECT_EQ(left.back(), UINT(WM_MOUSEMOVE));
        EXPECT_EQ(std::ranges::count_if(
                      left, [](UINT m) { return m == WM_LBUTTONDOWN || m == WM_KEYDOWN; }),
                  0);
    }
}

} // namespace

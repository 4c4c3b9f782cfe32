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
    int Untouched() const {
        GdiFlush();
        for (int i = 0; i < w * h; ++i)
            if ((bits[i] & 0xFFFFFF) != Sentinel)
                return 0;
        return 1;
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

TEST_F(PrintLayout, DefaultTurnsFramesAndCentresThePicture) {
    Device device(1200, 1500);
    ASSERT_EQ(PrintDefault(device.dc, 1200, 1500), 1);
    // Print buffer 468 x 668 stretched to 788 x 1125 at (206, 187).
    const double sx = 788.0 / 468, sy = 1125.0 / 668;
    auto paper = [&](double u, double v) {
        return device.At(206 + int(u * sx), 187 + int(v * sy));
    };
    for (const Mark& m : Marks)
        EXPECT_COLOUR(paper(4 + m.y + 0.5, 4 + (W - 1 - m.x) + 0.5), m.colour, m.what);
    // A black frame 4 page pixels wide on every side, white blank just inside it.
    for (double inset : {0.2, 1.5, 3.8}) {
        EXPECT_EQ(paper(inset, 334), Black) << "left " << inset;
        EXPECT_EQ(paper(468 - inset, 334), Black) << "right " << inset;
        EXPECT_EQ(paper(234, inset), Black) << "top " << inset;
        EXPECT_EQ(paper(234, 668 - inset), Black) << "bottom " << inset;
    }
    EXPECT_EQ(paper(4.6, 334), White);
    EXPECT_EQ(paper(234, 668 - 4.6), White);
    // Nothing outside the target rectangle.
    EXPECT_EQ(device.At(205, 700), Sentinel);
    EXPECT_EQ(device.At(206 + 788, 700), Sentinel);
    EXPECT_EQ(device.At(600, 186), Sentinel);
    EXPECT_EQ(device.At(600, 187 + 1125), Sentinel);
}

TEST_F(PrintLayout, HalvesStackIntoOnePictureWithAThreePixelFrame) {
    PrintMode = 1;
    Device device(1200, 1500);
    ASSERT_EQ(PrintAlternate(device.dc, 1200, 1500), 1);
    // Framed 466 x 666 in two stretches of 466 x 333 to 787 x 562 each, at (206, 187) and (206,
    // 749).
    const double sx = 787.0 / 466, sy = 562.0 / 333;
    auto paper = [&](double u, double v) {
        const int top = v < 333 ? 187 : 749;
        return device.At(206 + int(u * sx), top + int((v < 333 ? v : v - 333) * sy));
    };
    for (const Mark& m : Marks)
        EXPECT_COLOUR(paper(3 + m.y + 0.5, 3 + (W - 1 - m.x) + 0.5), m.colour, m.what);
    for (double inset : {0.2, 1.5, 2.8}) {
        EXPECT_EQ(paper(inset, 150), Black) << "left " << inset;
        EXPECT_EQ(paper(466 - inset, 500), Black) << "right " << inset;
        EXPECT_EQ(paper(100, inset), Black) << "top " << inset;
        EXPECT_EQ(paper(100, 666 - inset), Black) << "bottom " << inset;
    }
    // No line where the halves meet.
    for (int y = 745; y < 754; ++y)
        EXPECT_EQ(device.At(206 + int(100 * sx), y), White) << y;
    EXPECT_EQ(device.At(205, 700), Sentinel);
    EXPECT_EQ(device.At(206 + 787, 700), Sentinel);
    EXPECT_EQ(device.At(600, 186), Sentinel);
    EXPECT_EQ(device.At(600, 187 + 1124), Sentinel);

    // Any stored mode other than 0 and 2 prints the same halves.
    PrintMode = 7;
    Device other(1200, 1500);
    ASSERT_EQ(PrintAlternate(other.dc, 1200, 1500), 1);
    GdiFlush();
    EXPECT_EQ(std::memcmp(device.bits, other.bits, size_t(1200) * 1500 * 4), 0);
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
    lpDib = nullptr;
    EXPECT_EQ(PrintDefault(device.dc, 600, 800), 0);
    PrintMode = 2;
    EXPECT_EQ(PrintAlternate(device.dc, 600, 800), 0);
    lpDib = page.data();
    bmp.bmiHeader.biWidth = 700; // the buffers only hold the standard page
    EXPECT_EQ(PrintDefault(device.dc, 600, 800), 0);
    EXPECT_EQ(PrintAlternate(device.dc, 600, 800), 0);
    bmp.bmiHeader.biWidth = W;
    EXPECT_TRUE(device.Untouched());
}

// A device too large for 16-bit sizes is printed through a scaled mapping; here a scale of 2 on a
// smaller device shows that every layout lands on the device in place and in proportion.
TEST_F(PrintLayout, ScaledMappingKeepsEveryLayoutInPlace) {
    struct Case {
        int mode, pw, ph;
        int left, right, top, bottom; // the frame's outer edges in device pixels, -1 off the device
    };
    const Case cases[] = {
        {0, 600, 750, 206, 2 * (103 + 393) - 1, 188, 2 * (94 + 561) - 1}, // 393 x 561 at (103, 94)
        {1, 600, 750, 208, 2 * (104 + 392) - 1, 188,
         2 * (94 + 560) - 1},              // 392 x 2 * 280 at (104, 94)
        {2, 1500, 2300, 102, -1, 302, -1}, // k = 3 at (51, 151)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        PrintMode = c.mode;
        Device device(1200, 1500);
        MapPrintableArea(device.dc, {c.pw, c.ph, 2, 0, 0});
        ASSERT_EQ(c.mode == 0 ? PrintDefault(device.dc, short(c.pw), short(c.ph))
                              : PrintAlternate(device.dc, short(c.pw), short(c.ph)),
                  1);
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
    EXPECT_EQ(GetObjectType(printer.dc), 0u) << "the printer context is deleted";
    EXPECT_EQ(BusyFlag, 0);
    EXPECT_TRUE(printer.Untouched());
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
        EXPECT_TRUE(printer.Untouched());
        EXPECT_EQ(GetObjectType(printer.dc), 0u);
        EXPECT_EQ(BusyFlag, 0);
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
        EXPECT_EQ(std::count(left.begin(), left.end(), UINT(WM_LBUTTONDOWN)), 0);
        EXPECT_EQ(std::count(left.begin(), left.end(), UINT(WM_KEYDOWN)), 0);
    }
}

} // namespace

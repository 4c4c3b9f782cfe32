// The three print layouts: the picture turned a quarter turn, framed and centred on the sheet.
#include "print/Layouts.h"

#include "colouring/Display.h"
#include "page/Page.h"
#include "print/Options.h"
#include "print/PrintGeometry.h"
#include "support/Gdi.h"

static_assert(sizeof(MYBITMAPINFO) == sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
static_assert(offsetof(BITMAPINFOHEADER, biWidth) == offsetof(BitmapInfoHeader, biWidth));
static_assert(offsetof(BITMAPINFOHEADER, biHeight) == offsetof(BitmapInfoHeader, biHeight));

namespace {

// A copy of the page's bitmap information describing an image of the given size; the page's own
// header keeps its width and height, which the screen display relies on.
void DescribeImage(MYBITMAPINFO& info, int width, int height) {
    info = bmp;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up
    info.bmiHeader.biSizeImage = 0;
}

const BITMAPINFO* AsInfo(const MYBITMAPINFO& info) {
    return reinterpret_cast<const BITMAPINFO*>(&info);
}

// A memory context compatible with the screen, holding the display palette and a bitmap of its own.
struct MemoryBitmap {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    MemoryBitmap(HDC screen, int width, int height) {
        dc = CreateCompatibleDC(screen);
        SelectDisplayPalette(dc);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        previous = SelectObject(dc, bitmap);
    }
    ~MemoryBitmap() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

// The black pen and brush in a half context, the previous ones put back on leaving.
struct BlackPenAndBrush {
    HDC dc;
    HGDIOBJ pen, brush;
    explicit BlackPenAndBrush(HDC target)
        : dc(target), pen(SelectObject(target, GetStockObject(BLACK_PEN))),
          brush(SelectObject(target, GetStockObject(BLACK_BRUSH))) {}
    ~BlackPenAndBrush() {
        SelectObject(dc, pen);
        SelectObject(dc, brush);
    }
};

void PrintHalves(HDC printer, short pw, short ph, HDC upper, HDC lower, int width, int height) {
    const HalvesGeometry g = HalvesLayout(pw, ph, width, height);
    const int framedW = height + 6, framedH = (width + 6) / 2;
    StretchBlt(printer, g.xDest, g.yDest, g.destW, g.halfH, upper, 0, 0, framedW, framedH, SRCCOPY);
    StretchBlt(printer, g.xDest, g.yDest + g.halfH, g.destW, g.halfH, lower, 0, 0, framedW, framedH,
               SRCCOPY);
}

// A thousand small unstretched copies: each 20 x 20 block is magnified in memory, then copied as it
// is.
void PrintBlocks(HDC printer, short pw, short ph, const HDC halves[2], const HDC blocks[2],
                 int width, int height) {
    const BlocksGeometry g = BlocksLayout(pw, ph, width, height);
    const int side = BlockSize * g.k;
    for (int half = 0; half < 2; ++half) {
        const int top = half ? g.lowerY : g.yOff;
        for (int r = 0; r < BlockRows; ++r)
            for (int c = 0; c < BlockColumns; ++c) {
                StretchBlt(blocks[half], 0, 0, side, side, halves[half], BlockSize * c,
                           BlockSize * r, BlockSize, BlockSize, SRCCOPY);
                BitBlt(printer, g.xOff + side * c, top + side * r, side, side, blocks[half], 0, 0,
                       SRCCOPY);
            }
    }
}

} // namespace

int PrintDefault(HDC printer, short pw, short ph) {
    const int width = bmp.bmiHeader.biWidth, height = bmp.bmiHeader.biHeight;
    // The scratch and print buffers are sized for the standard page and may be missing after a
    // failed allocation at start-up; nothing is drawn then.
    if (!lpDib || !lpDibClear || !lpPrintBuf || !PrintablePage(width, height))
        return 0;
    const DefaultGeometry g = DefaultLayout(pw, ph, width, height);
    RotatePage(lpDib, width, height, lpDibClear);
    CopyToPrintBuffer(lpDibClear, height, width, lpPrintBuf);

    MYBITMAPINFO info;
    const int bufferW = height + 2 * PrintFrame, bufferH = width + 2 * PrintFrame;
    DescribeImage(info, bufferW, bufferH);
    SelectDisplayPalette(printer);
    StretchDIBits(printer, g.xDest, g.yDest, g.destW, g.destH, 0, 0, bufferW, bufferH, lpPrintBuf,
                  AsInfo(info), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

int PrintAlternate(HDC printer, short pw, short ph) {
    const int width = bmp.bmiHeader.biWidth, height = bmp.bmiHeader.biHeight;
    if (!lpDib || !lpDibClear || !PrintablePage(width, height))
        return 0;
    const int blocks = PrintMode == 2;
    RotatePage(lpDib, width, height, lpDibClear);

    WindowDc screen(nullptr);
    SelectDisplayPalette(screen.dc);
    const int bitmapW = height + 40, bitmapH = (width + 140) / 2; // 500 x 400
    MemoryBitmap upper(screen.dc, bitmapW, bitmapH), lower(screen.dc, bitmapW, bitmapH);
    MemoryBitmap upperBlock(screen.dc, bitmapW, bitmapH), lowerBlock(screen.dc, bitmapW, bitmapH);

    // Each half gets a black rectangle 466 x 333 on white; its half of the picture then leaves a
    // black border 3 pixels wide on three sides, and the two halves stacked make a frame all round.
    const int halfRows = width / 2, rectBottom = (width + 6) / 2 - 1;
    const POINT corners[4] = {{0, 0}, {height + 5, 0}, {height + 5, rectBottom}, {0, rectBottom}};
    {
        BlackPenAndBrush upperInk(upper.dc), lowerInk(lower.dc);
        PatBlt(upper.dc, 0, 0, bitmapW, bitmapH, WHITENESS);
        PatBlt(lower.dc, 0, 0, bitmapW, bitmapH, WHITENESS);
        Polygon(upper.dc, corners, 4);
        Polygon(lower.dc, corners, 4);

        // The source rectangle of a bottom-up image is counted from its bottom row: the rows as
        // seen on paper above the middle are buffer rows halfRows .. width - 1.
        MYBITMAPINFO info;
        DescribeImage(info, height, width);
        StretchDIBits(upper.dc, 3, 3, height, halfRows, 0, halfRows, height, halfRows, lpDibClear,
                      AsInfo(info), DIB_RGB_COLORS, SRCCOPY);
        StretchDIBits(lower.dc, 3, 0, height, halfRows, 0, 0, height, halfRows, lpDibClear,
                      AsInfo(info), DIB_RGB_COLORS, SRCCOPY);

        SelectDisplayPalette(printer);
        if (blocks) {
            const HDC halves[2] = {upper.dc, lower.dc},
                      blockDCs[2] = {upperBlock.dc, lowerBlock.dc};
            PrintBlocks(printer, pw, ph, halves, blockDCs, width, height);
        } else {
            PrintHalves(printer, pw, ph, upper.dc, lower.dc, width, height);
        }
    }
    return 1;
}

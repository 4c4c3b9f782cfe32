// The byte work and arithmetic behind the print layouts: quarter turn, framed buffer, geometry.
#include "print/PrintGeometry.h"

#include <cstddef>

#include "page/PageFormat.h"

namespace {

// Division rounding toward minus infinity: offsets of a picture larger than the page stay exact
// when negative.
int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

int PrintablePage(int width, int height) {
    return width == StdPageWidth && height == StdPageHeight;
}

void RotatePage(const uint8_t* page, int width, int height, uint8_t* out) {
    // Page row y (from the bottom), column x lands in rotated row x, column height - 1 - y.
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = page + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            const uint8_t index = row[x];
            out[size_t(x) * size_t(height) + size_t(height - 1 - y)] =
                index == BlankIndex ? PrintedBlankIndex : index;
        }
    }
}

void CopyToPrintBuffer(const uint8_t* rotated, int rotatedWidth, int rotatedHeight,
                       uint8_t* printBuffer) {
    const size_t stride = size_t(rotatedWidth) + 2 * PrintFrame;
    for (int r = 0; r < rotatedHeight; ++r) {
        const uint8_t* from = rotated + size_t(r) * size_t(rotatedWidth);
        uint8_t* to = printBuffer + size_t(r + PrintFrame) * stride + PrintFrame;
        for (int c = 0; c < rotatedWidth; ++c)
            to[c] = from[c];
    }
}

DefaultGeometry DefaultLayout(int pw, int ph, int width, int height) {
    DefaultGeometry g;
    g.destH = 3 * FloorDiv(ph, 4);
    g.yDest = FloorDiv(ph - g.destH, 2);
    g.destW = FloorDiv((height + 2 * PrintFrame) * g.destH, width + 2 * PrintFrame);
    g.xDest = (pw - g.destW) / 2; // truncating toward zero, as the platform's C division does
    return g;
}

HalvesGeometry HalvesLayout(int pw, int ph, int width, int height) {
    HalvesGeometry g;
    const int destH = 3 * FloorDiv(ph, 4);
    g.yDest = FloorDiv(ph - destH, 2);
    g.halfH = FloorDiv(destH, 2);
    g.destW = FloorDiv((height + 6) * destH, width + 6);
    g.xDest = (pw - g.destW) / 2;
    return g;
}

BlocksGeometry BlocksLayout(int pw, int ph, int width, int height) {
    BlocksGeometry g;
    // The largest whole factor at which the framed height fits in nine tenths of the page,
    // within 3..20.
    g.k = FloorDiv(9 * ph, 10 * (width + 6));
    if (g.k > BlockFactorMax)
        g.k = BlockFactorMax;
    if (g.k < BlockFactorMin)
        g.k = BlockFactorMin;
    g.drawW = g.k * (height + 6);
    g.drawH = g.k * (width + 6);
    g.xOff = FloorDiv(pw - g.drawW, 2);
    g.yOff = FloorDiv(ph - g.drawH, 2);
    g.lowerY = g.yOff + LowerHalfRows * g.k;
    return g;
}

PrintableArea FitPrintableArea(int horzRes, int vertRes) {
    const int w = horzRes > 0 ? horzRes : 0;
    const int h = vertRes > 0 ? vertRes : 0;
    const int longer = w > h ? w : h;
    PrintableArea area;
    area.scale = longer > PrintSizeLimit ? 1 + (longer - 1) / PrintSizeLimit : 1;
    area.pw = w / area.scale;
    area.ph = h / area.scale;
    area.xOrigin = (w - area.pw * area.scale) / 2;
    area.yOrigin = (h - area.ph * area.scale) / 2;
    return area;
}

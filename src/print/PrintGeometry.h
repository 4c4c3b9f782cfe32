// The byte work and arithmetic behind the print layouts: quarter turn, framed buffer, geometry.
#pragma once
#include <cstdint>

// The layouts take 16-bit printable sizes; all their arithmetic is 32-bit signed.
constexpr int PrintSizeLimit = 32767;
constexpr int PrintFrame = 4;      // the print buffer's ring, in page pixels (Default layout)
constexpr int BlockSize = 20;      // Alternate 2: the side of one block of a half bitmap
constexpr int BlockColumns = 25;   // Alternate 2: blocks across a 500-pixel half bitmap
constexpr int BlockRows = 20;      // Alternate 2: blocks down a 400-pixel half bitmap
constexpr int LowerHalfRows = 333; // Alternate 2: the lower half starts this many page pixels lower
constexpr int BlockFactorMin = 3;
constexpr int BlockFactorMax = 20;

// The layouts only handle the page the buffers are sized for; 1 when width x height is that page.
int PrintablePage(int width, int height);

// Writes the bottom-up page (width x height) turned a quarter turn anticlockwise into out, which
// becomes a bottom-up image height pixels wide and width tall: the picture's top edge becomes its
// left edge. Blank (37) is written as 27, white on paper.
void RotatePage(const uint8_t* page, int width, int height, uint8_t* out);

// Copies a rotated image (rotatedWidth x rotatedHeight) into the print buffer, an image 8 pixels
// wider and taller, leaving its 4-pixel ring as it is (zero from allocation, so a black frame).
void CopyToPrintBuffer(const uint8_t* rotated, int rotatedWidth, int rotatedHeight,
                       uint8_t* printBuffer);

struct DefaultGeometry {
    int xDest, yDest, destW, destH;
};
struct HalvesGeometry {
    int xDest, yDest, destW, halfH;
};
struct BlocksGeometry {
    int k, xOff, yOff, drawW, drawH, lowerY; // lowerY: top of the lower half, yOff + 333k
};

// pw, ph: the printable size; width, height: the page (not rotated).
DefaultGeometry DefaultLayout(int pw, int ph, int width, int height);
HalvesGeometry HalvesLayout(int pw, int ph, int width, int height);
BlocksGeometry BlocksLayout(int pw, int ph, int width, int height);

// The printable size the layouts receive for a device of horzRes x vertRes pixels. A side beyond
// 32,767 cannot be handed on as a 16-bit value, so both sides are divided by the smallest whole
// scale that brings the longer one within it; the print job then maps one logical unit to scale
// device pixels, offset by (xOrigin, yOrigin) so the scaled area sits centred on the page.
// Proportions are kept exactly; at most scale - 1 device pixels of each side go unused. Negative
// sizes count as 0.
struct PrintableArea {
    int pw, ph, scale, xOrigin, yOrigin;
};
PrintableArea FitPrintableArea(int horzRes, int vertRes);

// Turning a drawing's grey levels into the line mask of a standard page: fit, scale, threshold,
// thicken.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A page's lines: 660 x 460 bytes, top row first, 1 on a line pixel and 0 on an open one.
using LineMask = std::vector<uint8_t>;

constexpr int DefaultThreshold = 160; // grey levels below it are line
constexpr int MaxThicken = 2;

// Where a drawing of the given size lies on the page: as large as fits whole, in proportion,
// centred.
struct PageFit {
    int width, height, left, top;
    bool operator==(const PageFit&) const = default;
};
PageFit FitOnPage(int drawingWidth, int drawingHeight);

// Grey levels (0 black, 255 white) of rows of 32-bit blue-green-red-alpha pixels (alpha not
// premultiplied), laid on white so that transparent pixels count as white.
void GreyOnWhite(const uint8_t* bgra, size_t stride, int width, int rows, uint8_t* grey);

// The page's grey levels (660 x 460, top row first): the drawing fitted with FitOnPage, scaled by
// area averaging, on white. When shrinking, every dark stroke is first widened to one page pixel's
// worth of drawing, so a line one drawing pixel wide still comes out dark enough to be kept.
std::vector<uint8_t> ScaleOntoPage(const uint8_t* grey, int width, int height);

// The lines of a page's grey levels: every pixel darker than threshold.
LineMask ThresholdPage(const std::vector<uint8_t>& pageGrey, int threshold);

// Makes every line thicker by pixels (0 to 2): one pixel more to the right and below, a second one
// to the left and above.
void ThickenLines(LineMask& mask, int pixels);

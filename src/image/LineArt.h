// Turning a drawing's grey levels into the line mask of a standard page: the paper made white, the
// drawing found on its sheet, fitted, scaled, turned, thresholded and thickened.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"

// A page's lines: 660 x 460, 1 on a line pixel and 0 on an open one.
using LineMask = Mask;
LineMask PageMask(uint8_t value = 0);

constexpr int DefaultThreshold = 160; // grey levels below it are line
constexpr int MaxThicken = 2;
constexpr int PageMargin = 8; // open page left round the drawing's lines on every side

// A drawing's grey levels (0 black, 255 white), top row first. A whole sheet is placed as it is,
// without looking for the drawing on it (a page file's outline is one).
struct Drawing {
    std::vector<uint8_t> grey;
    int width = 0, height = 0;
    bool wholeSheet = false;
};

// Where a drawing of the given size lies on the page less margin on every side: as large as fits
// whole, in proportion, centred.
struct PageFit {
    int width, height, left, top;
    bool operator==(const PageFit&) const = default;
};
PageFit FitOnPage(int drawingWidth, int drawingHeight, int margin);

// Grey levels of rows of pixels of 4 channels (blue-green-red-alpha, alpha not premultiplied,
// laid on white so that transparent pixels count as white), 3 (blue-green-red) or 1 (grey).
void GreyOnWhite(const uint8_t* pixels, size_t stride, int width, int rows, int channels,
                 uint8_t* grey);

// Makes the paper white: a scan's grey or tinted paper (the most common level above the darkest
// third) is lifted to 255 and every level in proportion with it.
void WhitenPaper(std::vector<uint8_t>& grey);

// The part of a sheet that holds the drawing's lines, found on an overview of cells of cell x cell
// pixels. Left out: the paper round it, dark strips and shadows along the sheet's border (dark
// cells touching the border that stay in a band along it and run along a third of a side; they
// are marked in dropped, and made white wherever they reach into the drawing), and specks far from
// the drawing. Empty when the sheet has no line at the threshold.
struct DrawingExtent {
    int left = 0, top = 0, right = 0, bottom = 0; // drawing pixels, right and bottom excluded
    int cell = 1, across = 0, down = 0;           // the overview
    std::vector<uint8_t> dropped;                 // per overview cell, 1 where a strip or shadow is
    bool Empty() const { return right <= left || bottom <= top; }
};
DrawingExtent FindDrawing(const Drawing& drawing, int threshold);

// The page's grey levels (660 x 460, top row first): the extent fitted with FitOnPage (the margin
// PageMargin, none for a whole sheet), turned a quarter clockwise when asked, and scaled by area
// averaging on white. When shrinking, every dark stroke is first widened to one page pixel's worth
// of drawing, so a line one drawing pixel wide still comes out dark enough to be kept.
std::vector<uint8_t> DrawingOnPage(const Drawing& drawing, const DrawingExtent& extent, bool turn);

// The lines of a page's grey levels: every pixel darker than threshold.
LineMask ThresholdPage(const std::vector<uint8_t>& pageGrey, int threshold);

// Makes every line thicker by pixels (0 to 2): one pixel more to the right and below, a second one
// to the left and above.
void ThickenLines(LineMask& mask, int pixels);

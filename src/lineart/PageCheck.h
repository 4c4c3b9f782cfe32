// What one click would fill on a page, and the two faults a child would meet: leaks (a gap of one
// or two pixels joining two areas into one region) and regions too small to hit.
#pragma once
#include <cstdint>
#include <vector>

#include "pagemaker/LineArt.h"

constexpr int TinyRegionPixels = 30; // a region smaller than this is too small to hit

// A rectangle of page pixels, edges included.
struct PixelBox {
    int left, top, right, bottom;
};

struct PageCheck {
    std::vector<int32_t> region; // per pixel, top row first: its region, or -1 on a line
    std::vector<int32_t> size;   // pixels of each region
    std::vector<PixelBox> leaks; // around the pixels that would close each leak
    std::vector<PixelBox> tiny;  // around each region smaller than TinyRegionPixels
    std::vector<uint8_t> gap;    // per pixel: 1 where closing a leak puts line
};

// The 4-connected regions of the open pixels (as one click fills them) and the leaks and tiny
// regions among them. Leaks are found by closing the lines with a 3 x 3 square (the picture's edge
// counting as line): a region that falls apart into two or more areas of at least
// TinyRegionPixels each had a passage of at most two pixels between them; each group of pixels the
// closing took from the region and that touches two of those areas is one leak.
void CheckPage(const LineMask& mask, PageCheck& check);

// Puts line on every pixel that closes a leak found by the check.
void CloseGaps(LineMask& mask, const PageCheck& check);

// Puts line on every pixel of the regions smaller than TinyRegionPixels.
void FillTinyPockets(LineMask& mask, const PageCheck& check);

// The lines of a page held in memory (660 x 460 colour indices, bottom row first): its outline
// pixels.
LineMask MaskFromPage(const uint8_t* pixels);

// The bytes of a 1-bit page file of the lines, with the blank flag 1, as the shipped pages are.
std::vector<uint8_t> MonoPageFile(const LineMask& mask);

// What one click would fill on a page, and the two faults a child would meet: leaks (a narrow gap
// joining two areas into one region) and regions too small to hit; their mending.
#pragma once
#include <cstdint>
#include <vector>

#include "image/LineArt.h"

constexpr int TinyRegionPixels = 30; // a region smaller than this is too small to hit
constexpr int SpeckPixels = 10;      // a loose bit of line smaller than this is a speck
constexpr int DefaultGapWidth = 3, MaxGapWidth = 6;

struct PageCheck {
    std::vector<int32_t> region; // per pixel, top row first: its region, or -1 on a line
    std::vector<int32_t> size;   // pixels of each region
    std::vector<PixelBox> leaks; // around the pixels that would close each leak
    std::vector<PixelBox> tiny;  // around each region smaller than TinyRegionPixels
    std::vector<uint8_t> gap;    // per pixel: 1 in the narrow passage of a leak
    std::vector<uint8_t> bridge; // per pixel: 1 where the line that closes a leak goes
    int largestShare = 0;        // the largest region's share of the page, in whole percent
};

// The 4-connected regions of the open pixels (as one click fills them), their sizes, the tiny ones
// and the largest's share: the check without its leaks, which it leaves as they were.
void FindRegions(const LineMask& mask, PageCheck& check);

// The 4-connected regions of the open pixels (as one click fills them) and the leaks and tiny
// regions among them. Leaks are passages no wider than gapWidth (1 to MaxGapWidth) pixels between
// two areas of at least TinyRegionPixels each. They are found by closing the lines with a square
// (the picture's edge counting as line): a region that falls apart into two or more such areas had
// a narrow passage; each group of pixels the closing took from the region that touches two of the
// areas is a candidate. Its bridge is the shortest straight line from line to line across it, at
// most gapWidth open pixels long, that parts the areas. A candidate with no bridge is a leak still
// when the square shuts exactly the passages up to gapWidth (even widths); then the whole group is
// its bridge.
void CheckPage(const LineMask& mask, int gapWidth, PageCheck& check);

// Puts line on every pixel of the passages of the leaks found by the check (the art tools' way).
void CloseGaps(LineMask& mask, const PageCheck& check);

// Puts line on the bridges of the leaks found by the check, and nowhere else.
void BridgeGaps(LineMask& mask, const PageCheck& check);

// Puts line on every pixel of the regions smaller than floor pixels.
void FillTinyPockets(LineMask& mask, const PageCheck& check, int floor = TinyRegionPixels);

// Makes white every loose bit of line (8-connected) smaller than SpeckPixels: stipples, dust,
// noise.
void CleanSpecks(LineMask& mask);

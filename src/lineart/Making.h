// The Page Maker's work on a drawing, shared by its window and its command line: the page rebuilt
// from the drawing and the settings, the mending, the verdict on the page, its counts and tints.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image/PageCheck.h"
#include "image/Segment.h"

// What the page is made from: the lines of a drawing, or the areas of a photo.
enum class PageKind { Drawing, Photo };

struct MakerSettings {
    int threshold = DefaultThreshold;
    int thicken = 0;
    int gaps = DefaultGapWidth; // the widest gap between two lines that counts as a leak
    bool turn = false;          // a quarter turn clockwise
    PageKind kind = PageKind::Drawing;
    int detail = DefaultDetail; // a photo's, 1 to DetailSteps
};

// Photo or drawing as the parent chose, or as the image looks.
enum class KindChoice { FromImage, Drawing, Photo };

// A drawing when there is no photo (a page file has none); else as chosen, or as it looks.
PageKind ChooseKind(KindChoice choice, const RgbImage& photo);

// Whether an image looks like a photo rather than a line drawing on paper: a drawing is mostly
// paper and line, a photo has many middle tones or colours.
bool LooksLikePhoto(const RgbImage& image);

// The mending chosen; it is done in the order that gives the best page, whatever the order chosen:
// specks first (before thickening, so that they do not grow into pockets), then gaps, then pockets.
struct MakerMending {
    bool specks = false, gaps = false, pockets = false;
};
constexpr MakerMending MendAll{true, true, true};

struct MakerWork {
    Drawing drawing;
    RgbImage photo;   // the same image in colour, upright, at a size enough for a photo's page
    PhotoParts parts; // the photo cut into parts, made once
    bool partsMade = false;
    MakerSettings settings;
    MakerMending mending;
    LineMask mask;
    PageCheck check;
    // The drawing on the page as last put there, and the threshold and turn it was put there at.
    std::vector<uint8_t> pageGrey;
    int greyThreshold = -1;
    bool greyTurn = false;
};

// A photo's page at the detail chosen (the photo cut into parts the first time), no leak left of
// the gap width chosen, and its check. A drawing found and put on the page (again only when the
// threshold or the turn changed), its lines, the mending chosen (gaps and pockets going round until
// neither finds any, four rounds at most: a bridge can leave a pocket) and the page's check.
void RebuildPage(MakerWork& work);

// A page a child can colour has lines and two areas of TinyRegionPixels at least.
enum class PageVerdict { Usable, NoLines, TooFewAreas };
PageVerdict JudgePage(const LineMask& mask, const PageCheck& check);

// "Regions 5, leaks 0, tiny regions 0, largest area 38%" on one line, or each on a line of its
// own ("Regions: 5" ...) for the window.
std::string CountsText(const PageCheck& check, bool onePerLine);

// The pale tint region number index is shown in, hues far apart from one region to the next.
struct Tint {
    uint8_t red, green, blue;
};
Tint RegionTint(int index);

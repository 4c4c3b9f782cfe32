// A photo made into a page a young child can colour: its subject found and outlined whole, areas of
// like colour, more of them in the subject than in its background, none too small to hit, outlined
// by even lines two pixels wide with no gap.
#pragma once
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "image/LineArt.h"
#include "image/PageCheck.h"

constexpr int DetailSteps = 5, DefaultDetail = 3;
constexpr int PhotoAreaFloor = 60; // no area of a photo's page is smaller

// What every detail shares, made once per photo: the photo fitted and scaled to the page, and cut
// into many small compact parts of like colour whose sides follow its edges; per part its colour
// (and how mottled it is), how steep the colour is inside it, its interest (sharp, near the middle,
// of a rare colour), size, outline and whether it is of the photo's subject (none where the photo
// has no clear one); per pair of parts that touch, how long their border is and how strong the
// photo's edge is along it.
struct PhotoParts {
    PageFit fit{};
    std::vector<int32_t> part; // per pixel of the fitted photo
    std::vector<float> colour; // per pixel of the fitted photo, lightly smoothed: its three values
    struct Part {
        double l = 0, a = 0, b = 0; // sums of the colour's lightness and two opposing hues
        double interest = 0;        // sum over its pixels, each 0 to 1
        double squares = 0;         // sum of the squares of the three
        double slope = 0;           // sum of how fast the colour changes, on a coarse scale
        int64_t pixels = 0;
        int64_t outline = 0; // pixel sides on its border, the photo's frame included
        int64_t subject = 0; // its pixels in the photo's subject
    };
    std::vector<Part> parts;
    struct Border {
        int32_t p, q;   // p < q
        int32_t length; // pixel pairs across it
        double edge;    // sum over those pairs of the edge's strength
    };
    std::vector<Border> borders;
};
void SplitPhoto(const RgbImage& photo, PhotoParts& parts);

// The areas aimed at for a detail step (1 to DetailSteps).
int AreasForDetail(int detail);

// The page's lines at that detail: the parts joined, the plainest borders and the background
// first, down to the areas aimed at, and the faint borders inside the subject further, down to
// fewer; the areas' borders smoothed, every neck or strip too narrow to stay open once outlined
// given to its neighbours, areas too small joined to a neighbour; outlined two pixels wide; every
// passage up to gapWidth pixels bridged and every pocket under PhotoAreaFloor filled. The page's
// check is left in check, so that it need not be made again.
LineMask PhotoPage(const PhotoParts& parts, int detail, int gapWidth, PageCheck& check);

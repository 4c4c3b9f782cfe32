// A photo made into a page a young child can colour: areas of like colour, more of them where the
// photo is sharp and near its middle (its subject) than in a blurred or plain background, none too
// small to hit, outlined by even lines two pixels wide with no gap.
#pragma once
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "image/LineArt.h"

constexpr int DetailSteps = 5, DefaultDetail = 3;
constexpr int PhotoAreaFloor = 60; // no area of a photo's page is smaller

// What every detail shares, made once per photo: the photo fitted and scaled to the page, and cut
// into many small parts of like colour, with each part's colour, sharpness, nearness to the
// middle and size, and the parts it borders.
struct PhotoParts {
    PageFit fit{};
    std::vector<int32_t> part; // per pixel of the fitted photo
    struct Part {
        double l = 0, a = 0, b = 0; // sums of the colour's lightness and two opposing hues
        double interest = 0;        // sum of each pixel's sharpness and nearness to the middle
        int64_t pixels = 0;
    };
    std::vector<Part> parts;
    std::vector<std::vector<int32_t>> next; // the parts each part borders
};
void SplitPhoto(const RgbImage& photo, PhotoParts& parts);

// The areas aimed at for a detail step (1 to DetailSteps).
int AreasForDetail(int detail);

// The page's lines at that detail: the parts joined, the least different and least interesting
// first, down to the areas aimed at; their borders smoothed; parts too small joined to a
// neighbour; outlined; every passage up to gapWidth pixels bridged and every pocket under
// PhotoAreaFloor filled.
LineMask PhotoPage(const PhotoParts& parts, int detail, int gapWidth);

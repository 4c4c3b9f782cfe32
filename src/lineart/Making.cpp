// Rebuilding the page from the drawing, judging it, its counts and its region tints.
#include "lineart/Making.h"

#include <algorithm>
#include <cstdio>

namespace {

// The share of an image, seen at about the page's size, a little darker than the lightest within
// 12 pixels of it (75 to 94 % of it). A pale photo (a white rabbit on light wood) has few middle
// tones and little colour, but fur, grain and soft shade are all a little darker than what is
// around them; a scan's paper, evenly lit or shaded, is as light as the paper beside it, and of
// its lines only their edges are a little darker (7 to 11 % of a scanned page).
double SlightlyDarkerShare(const RgbImage& image) {
    const double fit = std::min(1.0, std::min(660.0 / image.width, 460.0 / image.height));
    const RgbImage seen = fit < 1 ? ScaleByArea(image, std::max(1, int(image.width * fit)),
                                                std::max(1, int(image.height * fit)))
                                  : image;
    std::vector<float> level(size_t(seen.width) * seen.height);
    for (size_t i = 0; i < level.size(); ++i)
        level[i] = float(GreyLevel(&seen.rgb[i * 3]));
    std::vector<float> around = level;
    MaxAround(around, seen.width, seen.height, 12);
    size_t slightly = 0;
    for (size_t i = 0; i < level.size(); ++i)
        slightly +=
            around[i] >= 96 && level[i] * 100 >= around[i] * 75 && level[i] * 100 < around[i] * 94;
    return double(slightly) / double(level.size());
}

} // namespace

bool LooksLikePhoto(const RgbImage& image) {
    // Levels counted after the paper (the most common level in the lighter two thirds) is made
    // white, as a scan's would be: tones well between line and paper, and colours.
    const size_t n = size_t(std::max(image.width, 0)) * std::max(image.height, 0);
    if (!n)
        return false;
    uint32_t count[256] = {};
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = &image.rgb[i * 3];
        ++count[GreyLevel(p)];
    }
    int paper = 255;
    for (int level = 96; level < 256; ++level)
        if (count[level] > count[paper])
            paper = level;
    size_t middle = 0, dark = 0, light = 0, coloured = 0;
    for (int level = 0; level < 256; ++level) {
        middle += level * 255 / paper >= 64 && level * 255 / paper < 192 ? count[level] : 0;
        dark += level * 255 / paper < 64 ? count[level] : 0;
        light += level * 255 / paper >= 192 ? count[level] : 0;
    }
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = &image.rgb[i * 3];
        coloured += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 48;
    }
    // More than half of it dark, with something light on it, is no drawing on paper (a pale subject
    // on a night sky, on black); a sheet all dark is a drawing with no lines to find.
    const bool darkGround = dark * 2 > n && light * 20 > n;
    return middle * 5 > n || darkGround || coloured * 6 > n || SlightlyDarkerShare(image) > 0.2;
}

PageKind ChooseKind(KindChoice choice, const RgbImage& photo) {
    if (photo.Empty() || choice == KindChoice::Drawing)
        return PageKind::Drawing;
    return choice == KindChoice::Photo || LooksLikePhoto(photo) ? PageKind::Photo
                                                                : PageKind::Drawing;
}

void RebuildPage(MakerWork& work) {
    const MakerSettings& s = work.settings;
    if (s.kind == PageKind::Photo) {
        if (!work.partsMade)
            SplitPhoto(work.photo, work.parts);
        work.partsMade = true;
        work.mask = PhotoPage(work.parts, s.detail, s.gaps, work.check);
        return;
    }
    if (work.greyThreshold != s.threshold || work.greyTurn != s.turn || work.pageGrey.empty()) {
        work.pageGrey = DrawingOnPage(work.drawing, FindDrawing(work.drawing, s.threshold), s.turn);
        work.greyThreshold = s.threshold;
        work.greyTurn = s.turn;
    }
    work.mask = ThresholdPage(work.pageGrey, s.threshold);
    if (work.mending.specks)
        CleanSpecks(work.mask);
    ThickenLines(work.mask, s.thicken);
    CheckPage(work.mask, s.gaps, work.check);
    for (int round = 0; round < 4; ++round) { // a round with nothing to mend does nothing
        if (work.mending.gaps && !work.check.leaks.empty()) {
            BridgeGaps(work.mask, work.check);
            CheckPage(work.mask, s.gaps, work.check);
        }
        if (work.mending.pockets && !work.check.tiny.empty()) {
            FillTinyPockets(work.mask, work.check);
            CheckPage(work.mask, s.gaps, work.check);
        }
    }
}

PageVerdict JudgePage(const LineMask& mask, const PageCheck& check) {
    if (std::find(mask.begin(), mask.end(), 1) == mask.end())
        return PageVerdict::NoLines;
    const auto areas = std::count_if(check.size.begin(), check.size.end(),
                                     [](int32_t size) { return size >= TinyRegionPixels; });
    return areas < 2 ? PageVerdict::TooFewAreas : PageVerdict::Usable;
}

std::string CountsText(const PageCheck& check, bool onePerLine) {
    char text[160];
    std::snprintf(text, sizeof text,
                  onePerLine
                      ? "Regions: %zu\r\nLeaks: %zu\r\nTiny regions: %zu\r\nLargest area: %d%%"
                      : "Regions %zu, leaks %zu, tiny regions %zu, largest area %d%%",
                  check.size.size(), check.leaks.size(), check.tiny.size(), check.largestShare);
    return text;
}

namespace {

// A colour channel's level where the hue is that many degrees past the channel's peak.
uint8_t Channel(int hue) {
    const int distance = std::min(hue % 360, 360 - hue % 360);
    return uint8_t(std::clamp(325 - distance * 5 / 4, 175, 250));
}

} // namespace

Tint RegionTint(int index) {
    // Each colour channel follows the hue round the wheel between 175 and 250; the hue moves 139
    // degrees from one region to the next.
    const int hue = index * 139;
    return {Channel(hue), Channel(hue + 120), Channel(hue + 240)};
}

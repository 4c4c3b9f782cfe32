// Rebuilding the page from the drawing, judging it, its counts and its region tints.
#include "lineart/Making.h"

#include <algorithm>
#include <cstdio>

void RebuildPage(MakerWork& work) {
    const MakerSettings& s = work.settings;
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

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
    for (int round = 0; round < 4; ++round) {
        bool changed = false;
        if (work.mending.gaps && !work.check.leaks.empty()) {
            BridgeGaps(work.mask, work.check);
            CheckPage(work.mask, s.gaps, work.check);
            changed = true;
        }
        if (work.mending.pockets && !work.check.tiny.empty()) {
            FillTinyPockets(work.mask, work.check);
            CheckPage(work.mask, s.gaps, work.check);
            changed = true;
        }
        if (!changed)
            break;
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

Tint RegionTint(int index) {
    // Each colour channel follows the hue round the wheel between 175 and 250; the hue moves 139
    // degrees from one region to the next.
    uint8_t channel[3];
    for (int c = 0; c < 3; ++c) {
        const int hue = (index * 139 + c * 120) % 360; // degrees past this channel's peak
        const int distance = std::min(hue, 360 - hue);
        channel[c] = uint8_t(distance <= 60 ? 250 : distance >= 120 ? 175 : 325 - distance * 5 / 4);
    }
    return {channel[0], channel[1], channel[2]};
}

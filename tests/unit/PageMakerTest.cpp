// Drawings to pages: leaks, tiny regions, grey, fit, scaling, thin lines, thickening, page bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <tuple>

#include "page/PageFormat.h"
#include "pagemaker/PageCheck.h"

namespace {

TEST(PageMaker, LeaksAndTinyRegionsFoundAndMended) {
    // Rectangles of line (1), open (0) or a 3-pixel frame (2); the leaks, tiny regions, regions.
    using Rects = std::vector<std::array<int, 5>>;
    const std::tuple<Rects, int, int, int> cases[] = {
        {{{9, 9, 99, 99, 2}}, 0, 0, 2},
        // Gaps of one, two and three (an opening, not a leak) in the right side.
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 50, 0}}, 1, 0, 1},
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 51, 0}}, 1, 0, 1},
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 52, 0}}, 0, 0, 1},
        // Two boxes side by side, with a gap of one in their wall and of two in the top side.
        {{{9, 9, 52, 99, 2}, {50, 9, 99, 99, 2}, {50, 30, 52, 30, 0}, {70, 9, 71, 11, 0}}, 2, 0, 1},
        {{{300, 0, 302, 459, 1}, {0, 0, 302, 0, 1}}, 0, 0, 2}, // the right side found first
        {{{0, 200, 657, 202, 1}}, 1, 0, 1},                    // two short of the edge
        {{{0, 0, 6, 6, 1}, {0, 0, 4, 4, 0}}, 0, 1, 2},         // pockets of 25 and 30 pixels
        {{{0, 0, 7, 6, 1}, {0, 0, 5, 4, 0}}, 0, 0, 2}};
    for (const auto& [rects, leaks, tiny, regions] : cases) {
        SCOPED_TRACE(rects.back()[0] + rects.back()[3]);
        LineMask m(PagePixelBytes, 0);
        for (const auto& [l, t, r, b, v] : rects)
            for (int y = t; y <= b; ++y)
                for (int x = l; x <= r; ++x)
                    m[y * 660 + x] = v < 2 ? v : x < l + 3 || x > r - 3 || y < t + 3 || y > b - 3;
        PageCheck check;
        CheckPage(m, check);
        EXPECT_EQ(
            std::tuple(leaks, tiny, regions),
            std::tuple(int(check.leaks.size()), int(check.tiny.size()), int(check.size.size())));
        CloseGaps(m, check);
        FillTinyPockets(m, check);
        CheckPage(m, check);
        EXPECT_EQ(0u, check.leaks.size() + check.tiny.size());
        EXPECT_EQ(regions + leaks - tiny, int(check.size.size()));
    }
}

TEST(PageMaker, GreyOnWhiteFittedInProportionAndScaled) {
    // Opaque green, transparent black; half-transparent red, opaque black.
    const uint8_t bgra[16] = {0, 255, 0, 255, 0, 0, 0, 0, 0, 0, 255, 128, 0, 0, 0, 255};
    uint8_t grey[4];
    GreyOnWhite(bgra, 8, 2, 2, grey);
    EXPECT_EQ(std::vector<uint8_t>({150, 255, 165, 0}), std::vector<uint8_t>(grey, grey + 4));
    // 230 times as large: 460 x 460 from column 100.
    const std::vector<uint8_t> page = ScaleOntoPage(grey, 2, 2);
    const int at[][3] = {{329, 229, 150}, {330, 0, 255},   {100, 230, 165},
                         {559, 459, 0},   {560, 459, 255}, {99, 0, 255}};
    for (const auto& [x, y, want] : at)
        EXPECT_EQ(want, page[y * StdPageWidth + x]) << x << "," << y;
    EXPECT_TRUE(FitOnPage(1320, 460) == PageFit({660, 230, 0, 115}));
    EXPECT_TRUE(FitOnPage(100, 200) == PageFit({230, 460, 215, 0}));
    EXPECT_TRUE(FitOnPage(66, 46) == PageFit({660, 460, 0, 0}));
}

TEST(PageMaker, ThinDiagonalLinesSurviveShrinking) {
    std::vector<uint8_t> grey(3000 * 2000); // a diamond of lines one pixel wide, shrunk 4.5 times
    for (int i = 0; i < 3000 * 2000; ++i)
        grey[i] = std::abs(i % 3000 - 1500) + std::abs(i / 3000 - 1000) == 900 ? 0 : 255;
    PageCheck check;
    CheckPage(ThresholdPage(ScaleOntoPage(grey.data(), 3000, 2000), DefaultThreshold), check);
    EXPECT_EQ(2u, check.size.size());
}

TEST(PageMaker, ThickeningAddsOneOrTwoPixels) {
    for (int n : {0, 1, 2}) {
        LineMask m(PagePixelBytes, 0);
        m[100 * StdPageWidth + 100] = 1;
        ThickenLines(m, n);
        EXPECT_EQ((n + 1) * (n + 1), std::count(m.begin(), m.end(), 1));
        EXPECT_EQ(n, m[101 * 660 + 101] + m[99 * 660 + 99]); // right and below first
    }
}

TEST(PageMaker, ShippedPicturesComeBackByteForByte) {
    const PalEntry palette[256] = {};
    for (const char* name : {"bones", "duck", "parrots", "pig", "spider", "buy_me"}) {
        std::ifstream in(std::string(HB_SOURCE_DIR "/data/") + name + ".col", std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
        BitmapFileHeader fh;
        MYBITMAPINFO info;
        std::vector<uint8_t> pixels(PagePixelBytes);
        ASSERT_EQ(1, ParsePage(file.data(), file.size(), palette, fh, info, pixels.data()));
        EXPECT_EQ(file, MonoPageFile(MaskFromPage(pixels.data()))) << name;
    }
}

} // namespace

// Drawings to pages: leaks and tiny regions found and mended, the fit, thin lines kept, the page
// bytes of the shipped pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "colouring/ColourTable.h"
#include "page/PageFormat.h"
#include "pagemaker/PageCheck.h"

namespace {

void Fill(LineMask& m, int x0, int y0, int x1, int y1, uint8_t v = 1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            m[size_t(y) * StdPageWidth + x] = v;
}

PageCheck Check(const LineMask& m) {
    PageCheck check;
    CheckPage(m, check);
    return check;
}

TEST(PageMaker, GapsOfOneOrTwoPixelsLeakAndClose) {
    // A box of 3-pixel lines with a gap in its right side; a wall from the top to one pixel short
    // of the bottom edge.
    const struct {
        int gap, leaks, regions;
        bool wall;
    } cases[] = {
        {0, 0, 2, false}, {1, 1, 1, false}, {2, 1, 1, false}, {3, 0, 1, false}, {1, 1, 1, true}};
    for (const auto& c : cases) {
        LineMask m(PagePixelBytes, 0);
        if (c.wall) {
            Fill(m, 300, 0, 302, StdPageHeight - 2);
        } else {
            Fill(m, 100, 100, 400, 300);
            Fill(m, 103, 103, 397, 297, 0);
            Fill(m, 398, 200, 400, 199 + c.gap, 0);
        }
        PageCheck check = Check(m);
        EXPECT_EQ(c.leaks, int(check.leaks.size())) << c.gap;
        EXPECT_EQ(c.regions, int(check.size.size())) << c.gap;
        CloseGaps(m, check);
        check = Check(m);
        EXPECT_EQ(0u, check.leaks.size()) << c.gap;
        EXPECT_EQ(c.regions + c.leaks, int(check.size.size())) << c.gap;
    }
}

TEST(PageMaker, PocketsUnderThirtyPixelsAreTinyAndFilled) {
    for (int w : {5, 6}) {
        LineMask m(PagePixelBytes, 0);
        Fill(m, 200, 200, 203 + w, 208);
        Fill(m, 202, 202, 201 + w, 206, 0); // an inner pocket of w x 5 pixels
        PageCheck check = Check(m);
        EXPECT_EQ(w * 5 < TinyRegionPixels, check.tiny.size() == 1) << w;
        FillTinyPockets(m, check);
        EXPECT_EQ(w * 5 < TinyRegionPixels ? 1u : 2u, Check(m).size.size()) << w;
    }
}

TEST(PageMaker, DrawingsFitWholeInProportionAndCentred) {
    const struct {
        int w, h;
        PageFit fit;
    } cases[] = {{1320, 460, {660, 230, 0, 115}},
                 {100, 200, {230, 460, 215, 0}},
                 {66, 46, {660, 460, 0, 0}}};
    for (const auto& c : cases) {
        const PageFit f = FitOnPage(c.w, c.h);
        EXPECT_EQ(c.fit.width, f.width);
        EXPECT_EQ(c.fit.height, f.height);
        EXPECT_EQ(c.fit.left, f.left);
        EXPECT_EQ(c.fit.top, f.top);
    }
}

TEST(PageMaker, ThickeningAddsOneOrTwoPixels) {
    for (int n : {0, 1, 2}) {
        LineMask m(PagePixelBytes, 0);
        m[100 * StdPageWidth + 100] = 1;
        ThickenLines(m, n);
        EXPECT_EQ((n + 1) * (n + 1), std::count(m.begin(), m.end(), 1));
        EXPECT_EQ(n > 0, m[101 * StdPageWidth + 101]);
    }
}

TEST(PageMaker, ThinDiagonalLinesOnTransparencySurviveShrinking) {
    // A diamond of lines one pixel wide, opaque black on transparent black, shrunk 4.5 times.
    const int w = 3000, h = 2000;
    std::vector<uint8_t> bgra(size_t(w) * h * 4, 0), grey(size_t(w) * h);
    for (int i = 0; i < 900; ++i)
        for (const auto& [x, y] : {std::pair{1500 + i, 100 + i},
                                   {1500 - i, 100 + i},
                                   {600 + i, 1000 + i},
                                   {2400 - i, 1000 + i}})
            bgra[(size_t(y) * w + x) * 4 + 3] = 255;
    GreyOnWhite(bgra.data(), size_t(w) * 4, w, h, grey.data());
    PageCheck check = Check(ThresholdPage(ScaleOntoPage(grey.data(), w, h), DefaultThreshold));
    EXPECT_EQ(2u, check.size.size());
    EXPECT_EQ(0u, check.leaks.size());
}

TEST(PageMaker, ShippedPicturesRoundTripWithoutLeaksOrTinyRegions) {
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    for (const char* name : {"bones", "duck", "parrots", "pig", "spider", "buy_me"}) {
        std::ifstream in(std::string(HB_SOURCE_DIR "/data/") + name + ".col", std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
        BitmapFileHeader fh;
        MYBITMAPINFO info;
        std::vector<uint8_t> pixels(PagePixelBytes);
        ASSERT_EQ(1, ParsePage(file.data(), file.size(), palette, fh, info, pixels.data()));
        const LineMask mask = MaskFromPage(pixels.data());
        EXPECT_EQ(file, MonoPageFile(mask)) << name;
        const PageCheck check = Check(mask);
        EXPECT_EQ(0u, check.leaks.size() + check.tiny.size()) << name;
    }
}

} // namespace

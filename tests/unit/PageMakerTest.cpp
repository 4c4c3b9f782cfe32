// Drawings to pages: leaks and their bridges, tiny regions, specks, the drawing found on a scanned
// sheet, grey, fit, scaling, turning, verdicts, page bytes, the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <tuple>

#include "lineart/MakerCommand.h"
#include "page/PageFormat.h"
#include "page/PageLines.h"

namespace {

using Rects = std::vector<std::array<int, 5>>;

// Rectangles of line (1), open (0), a 3-pixel frame (2) or a diagonal up from the bottom left (3),
// drawn in turn on a page mask, or on a sheet of w x h grey levels (paper, line 0).
Mask Draw(const Rects& rects, int w = 0, int h = 0, int paper = 255) {
    const bool page = !w;
    w = page ? StdPageWidth : w, h = page ? StdPageHeight : h;
    Mask m(w, h, uint8_t(page ? 0 : paper));
    for (const auto& [l, t, r, b, v] : rects)
        for (int y = t; y <= b; ++y)
            for (int x = l; x <= r; ++x) {
                const int line = v < 2    ? v
                                 : v == 3 ? x - l == b - y
                                          : x < l + 3 || x > r - 3 || y < t + 3 || y > b - 3;
                if (v < 2 || line)
                    m[size_t(y) * w + x] = page ? line : uint8_t(line ? 0 : paper);
            }
    return m;
}

TEST(PageMaker, LeaksAndTinyRegionsFoundAndMended) {
    // The widest gap; the leaks, tiny regions, regions; pixels the bridges add; regions mended.
    const std::tuple<Rects, std::array<int, 6>> cases[] = {
        {{{9, 9, 99, 99, 2}}, {2, 0, 0, 2, 0, 2}},
        // Gaps of 1, 2 (no leak at width 1) and 3 (a leak from width 3) in the right side: bridged.
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 50, 0}}, {2, 1, 0, 1, 1, 2}},
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 51, 0}}, {2, 1, 0, 1, 2, 2}},
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 52, 0}}, {3, 1, 0, 1, 3, 2}},
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 55, 0}}, {6, 1, 0, 1, 6, 2}},
        // A corner shut by a wall with a gap of two and one corner to corner: 4-connected apart.
        {{{9, 9, 99, 99, 2}, {12, 30, 50, 30, 1}, {12, 30, 50, 68, 3}, {30, 30, 31, 30, 0}},
         {2, 1, 0, 2, 2, 3}},
        // Two gaps of one, two apart: each bridged by a pixel, the other counting as shut.
        {{{9, 9, 99, 99, 2}, {97, 50, 99, 50, 0}, {97, 53, 99, 53, 0}}, {2, 2, 0, 1, 2, 2}},
        // Two boxes side by side, with a gap of one in their wall and of two in the top side.
        {{{9, 9, 52, 99, 2}, {50, 9, 99, 99, 2}, {50, 30, 52, 30, 0}, {70, 9, 71, 11, 0}},
         {2, 2, 0, 1, 3, 3}},
        // A slot of 2 x 4 where three rooms meet: no straight line parts them, so it is shut whole.
        {{{0, 20, 659, 21, 1}, {330, 22, 331, 459, 1}, {330, 20, 331, 23, 0}}, {2, 1, 0, 1, 8, 3}},
        {{{300, 0, 302, 459, 1}, {0, 0, 302, 0, 1}}, {2, 0, 0, 2, 0, 2}}, // right side first
        {{{2, 200, 657, 202, 1}}, {2, 2, 0, 1, 4, 2}}, // two short of either side: bridged to it
        {{{300, 3, 302, 456, 1}}, {3, 2, 0, 1, 6, 2}}, // three short of the top and bottom
        {{{0, 0, 6, 6, 1}, {0, 0, 4, 4, 0}}, {2, 0, 1, 2, 0, 1}}, // pockets of 25 and 30 pixels
        {{{0, 0, 7, 6, 1}, {0, 0, 5, 4, 0}}, {2, 0, 0, 2, 0, 2}}};
    for (const auto& [rects, counts] : cases) {
        const auto [width, leaks, tiny, regions, bridged, mended] = counts;
        SCOPED_TRACE(rects.back()[0] + rects.back()[3] + 1000 * width);
        const LineMask drawn = Draw(rects);
        PageCheck check, after;
        CheckPage(drawn, width, check);
        EXPECT_EQ(
            std::tuple(leaks, tiny, regions),
            std::tuple(int(check.leaks.size()), int(check.tiny.size()), int(check.size.size())));
        for (bool art : {true, false}) { // mended the art tools' way, or bridged
            LineMask m = drawn;
            art ? CloseGaps(m, check) : BridgeGaps(m, check);
            EXPECT_TRUE(art || bridged == std::count(m.begin(), m.end(), 1) -
                                              std::count(drawn.begin(), drawn.end(), 1));
            FillTinyPockets(m, check);
            CheckPage(m, width, after);
            EXPECT_EQ(std::tuple(0, mended), std::tuple(int(after.leaks.size() + after.tiny.size()),
                                                        int(after.size.size())));
        }
    }
}

TEST(PageMaker, SpecksCleanedAndPagesJudged) {
    // Loose bits of 9 pixels go, of 10 (corner to corner) stay; a box of two areas is a page, as
    // are two holes of 30 pixels in a page of line; one area (and a hole of 29) or no line is not.
    LineMask m =
        Draw({{50, 2, 52, 4, 1}, {80, 50, 84, 50, 1}, {85, 51, 89, 51, 1}, {9, 9, 99, 99, 2}});
    CleanSpecks(m);
    EXPECT_EQ(std::tuple(0, 1), std::tuple(int(m[3 * 660 + 51]), int(m[51 * 660 + 89])));
    const std::tuple<Rects, PageVerdict> pages[] = {
        {{{9, 9, 99, 99, 2}}, PageVerdict::Usable},
        {{{0, 0, 659, 459, 2}}, PageVerdict::TooFewAreas},
        {{{0, 0, 659, 459, 1}, {5, 5, 10, 9, 0}, {20, 5, 24, 10, 0}}, PageVerdict::Usable},
        {{{0, 0, 659, 459, 1}, {5, 5, 10, 9, 0}, {20, 5, 48, 5, 0}}, PageVerdict::TooFewAreas},
        {Rects(), PageVerdict::NoLines}};
    for (const auto& [rects, verdict] : pages) {
        PageCheck check;
        CheckPage(Draw(rects), 2, check);
        EXPECT_EQ(verdict, JudgePage(Draw(rects), check)) << rects.size();
    }
}

TEST(PageMaker, PageRebuiltAndMendedAsAsked) {
    // A box halved by a wall with a gap of two, and a pocket of 25 pixels, on a sheet the size of
    // the page; the drawing is put on the page again for a new turn, not for the same settings.
    const Rects drawn = {
        {9, 9, 94, 94, 2}, {50, 9, 52, 94, 1}, {50, 30, 52, 31, 0}, {200, 200, 210, 210, 2}};
    MakerWork work;
    const PageCheck& c = work.check;
    work.drawing = {Draw(drawn, 660, 460).px, 660, 460, true};
    RebuildPage(work);
    EXPECT_EQ("Regions 3, leaks 1, tiny regions 1, largest area 98%", CountsText(c, false));
    work.mending = MendAll;
    RebuildPage(work);
    EXPECT_EQ("Regions 3, leaks 0, tiny regions 0, largest area 98%", CountsText(c, false));
    work.drawing.grey.assign(work.drawing.grey.size(), 255);
    RebuildPage(work);
    EXPECT_EQ(std::tuple(PageVerdict::Usable, -1), // -1: the region of a line pixel
              std::tuple(JudgePage(work.mask, c), c.region[9 * 660 + 9]));
    work.settings.turn = true;
    RebuildPage(work);
    EXPECT_EQ(PageVerdict::NoLines, JudgePage(work.mask, c));
}

TEST(PageMaker, DrawingFoundOnAScannedSheet) {
    // A box (300,400 to 900,1200) on paper of 215, 1240 x 1754; what is added, the extent found in
    // cells of 4. Edges and shadows a third of a side long, within 8% of it (24 x 35 cells), go.
    const Rects box = {{300, 400, 900, 1200, 2}};
    const std::tuple<Rects, std::array<int, 4>> cases[] = {
        {{}, {300, 400, 904, 1204}},
        {{{0, 0, 95, 1753, 1}, {1144, 100, 1239, 687, 1}}, {300, 400, 904, 1204}}, // dark edges
        {{{0, 100, 47, 503, 1}, {48, 504, 95, 900, 1}}, {300, 400, 904, 1204}}, // corner to corner
        {{{0, 0, 99, 1753, 1}}, {0, 0, 904, 1754}}, // an edge a cell wider is drawing
        {{{50, 60, 52, 62, 1}, {1100, 1600, 1103, 1604, 1}}, {300, 400, 904, 1204}}, // specks
        {{{100, 400, 160, 430, 1}}, {100, 400, 904, 1204}},   // a large part, far or not, is in it
        {{{216, 700, 235, 707, 1}}, {216, 400, 904, 1204}},   // so is a mark near it (17 cells)
        {{{212, 700, 231, 707, 1}}, {300, 400, 904, 1204}},   // but not one 18 cells away
        {{{250, 1700, 659, 1753, 1}}, {248, 400, 904, 1754}}, // under a third of a side stays
        {{{0, 700, 400, 705, 1}}, {0, 400, 904, 1204}}};      // a line to the edge from the drawing
    // The overview's cells: 2 pixels for 661 across or 461 down, 1 for the page's size or none.
    const int overviews[][5] = {{661, 10, 2, 331, 5}, {10, 461, 2, 5, 231}, {5, 0, 1, 0, 0}};
    for (const auto& [w, h, cell, across, down] : overviews) {
        const DrawingExtent e = FindDrawing({std::vector<uint8_t>(size_t(w) * h, 255), w, h}, 160);
        EXPECT_EQ((std::array{cell, across, down}), (std::array{e.cell, e.across, e.down})) << w;
    }
    for (const auto& [rects, want] : cases) {
        SCOPED_TRACE(rects.size() ? rects[0][1] : 0);
        Rects all = box;
        all.insert(all.end(), rects.begin(), rects.end());
        Drawing d{Draw(all, 1240, 1754, 215).px, 1240, 1754, false};
        WhitenPaper(d.grey);
        const DrawingExtent e = FindDrawing(d, DefaultThreshold);
        EXPECT_EQ(want, (std::array{e.left, e.top, e.right, e.bottom}));
        // On the page: the box's sides at the margin, the dark edges gone; turned, on its side.
        for (bool turn : {false, true}) {
            const LineMask page = ThresholdPage(DrawingOnPage(d, e, turn), DefaultThreshold);
            const auto lineAt = [&](int x, int y) { return int(page[y * 660 + x]); };
            if (want == std::array{300, 400, 904, 1204}) {
                EXPECT_EQ(std::tuple(0, 1, 1),
                          std::tuple(lineAt(100, PageMargin - 1), lineAt(330, PageMargin),
                                     lineAt(330, 449)));
                EXPECT_EQ(std::tuple(int(turn), int(!turn)),
                          std::tuple(lineAt(36, 230), lineAt(164, 230)));
            }
        }
    }
}

TEST(PageMaker, PaperMadeWhite) {
    // Levels, their counts, each level after: the commonest past a third is paper; 250 up stays.
    const std::tuple<std::vector<std::array<int, 2>>, std::vector<int>> sheets[] = {
        {{{0, 5}, {100, 5}, {200, 50}, {230, 10}}, {0, 128, 255, 255}},
        {{{0, 5}, {100, 20}, {176, 30}, {180, 40}}, {0, 142, 249, 255}},
        {{{0, 50}, {120, 5}, {250, 9}}, {0, 120, 250}},
        {{{150, 10}, {196, 6}, {204, 6}}, {195, 255, 255}}}; // the peak of 196 to 204
    for (const auto& [levels, want] : sheets) {
        std::vector<uint8_t> grey;
        for (const auto& [level, count] : levels)
            grey.insert(grey.end(), size_t(count), uint8_t(level));
        WhitenPaper(grey);
        std::vector<int> got;
        for (size_t i = 0, at = 0; i < levels.size(); at += size_t(levels[i++][1]))
            got.push_back(grey[at]);
        EXPECT_EQ(want, got) << levels[0][1];
    }
}

TEST(PageMaker, GreyOnWhiteFittedInProportionAndScaled) {
    // Opaque green, transparent black; half-transparent red, opaque black.
    const uint8_t bgra[16] = {0, 255, 0, 255, 0, 0, 0, 0, 0, 0, 255, 128, 0, 0, 0, 255};
    Drawing d{std::vector<uint8_t>(4), 2, 2, true};
    GreyOnWhite(bgra, 8, 2, 2, 4, d.grey.data());
    EXPECT_EQ(std::vector<uint8_t>({150, 255, 165, 0}), d.grey);
    // As 3 channels and as 1; level 1 at alpha 127 (128.498 on white), 101.499, 200.598: nearest.
    const uint8_t near[12] = {1, 1, 1, 127, 108, 101, 100, 255, 200, 200, 202, 255};
    std::vector<uint8_t> more(5);
    GreyOnWhite(bgra, 8, 2, 1, 3, more.data());
    GreyOnWhite(bgra + 2, 8, 1, 1, 1, &more[1]);
    GreyOnWhite(near, 12, 3, 1, 4, &more[2]);
    EXPECT_EQ(std::vector<uint8_t>({150, 0, 128, 101, 201}), more);
    // The sheet 230 times as large, 460 x 460 from column 100; turned, black bottom left; no green.
    const int at[][4] = {{329, 229, 255, 165}, {330, 0, 255, 255},   {100, 230, 165, 0},
                         {559, 459, 0, 255},   {560, 459, 255, 255}, {99, 0, 255, 255}};
    for (bool turn : {false, true}) {
        const std::vector<uint8_t> page =
            DrawingOnPage(d, {0, 0, 2, 2, 1, 2, 2, {1, 0, 0, 0}}, turn);
        for (const auto& [x, y, plain, turned] : at)
            EXPECT_EQ(turn ? turned : plain, page[y * StdPageWidth + x])
                << x << "," << y << " " << turn;
    }
    // Fitted in 640 x 440 within a margin of 10, rounded to the nearest pixel; at least 1 wide.
    EXPECT_TRUE(FitOnPage(300, 102, 10) == PageFit({640, 218, 10, 121})); // 217.6 high
    EXPECT_TRUE(FitOnPage(102, 300, 10) == PageFit({150, 440, 255, 10})); // 149.6 wide
    EXPECT_TRUE(FitOnPage(1, 1000, 0) == PageFit({1, 460, 329, 0}));
    EXPECT_TRUE(FitOnPage(2000, 1, 0) == PageFit({660, 1, 0, 229}));
}

TEST(PageMaker, ThinLinesSurviveShrinking) {
    // Shrunk 4 times, a line one pixel wide at 1001, across or down, darkens page pixel 250 only.
    for (const bool down : {false, true}) {
        const int w = down ? 4 : 2640, h = down ? 1840 : 4;
        Drawing line{std::vector<uint8_t>(size_t(w) * h, 255), w, h, true};
        for (int i = 0; i < 4; ++i)
            line.grey[down ? 1001 * 4 + i : i * 2640 + 1001] = 0;
        const std::vector<uint8_t> page = DrawingOnPage(line, FindDrawing(line, 1), false);
        const int at = down ? 250 * 660 + 329 : 229 * 660 + 250, before = down ? 660 : 1;
        EXPECT_EQ(std::tuple(0, 255), std::tuple(int(page[at]), int(page[at - before]))) << down;
    }
}

TEST(PageMaker, ShippedPicturesComeBackByteForByte) {
    for (const char* name : {"bones", "duck", "parrots", "pig", "spider", "buy_me"}) {
        std::ifstream in(std::string(HB_SOURCE_DIR "/data/") + name + ".col", std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
        std::vector<uint8_t> lines;
        ASSERT_TRUE(PageFileOutline(file.data(), file.size(), lines));
        EXPECT_EQ(file, MonoPageFile(lines)) << name;
    }
}

TEST(PageMaker, CommandLinesRead) {
    const char* const pictures[] = {"bones.col", "duck.col", "buy_me.col"};
    // The words after hbpages; the picture, threshold, thicken, gaps, turn, mend, photo or drawing
    // (0 as the image looks, 1 a drawing, 2 a photo: the last said) and detail, or a usage error.
    const std::tuple<std::vector<const char*>, std::array<int, 8>> cases[] = {
        {{"a.png"}, {-1, 160, 0, 3, 0, 0, 0, 3}},
        {{"a.png", "Bones", "--gaps", "1", "--thicken", "0", "--turn", "--threshold", "10"},
         {0, 10, 0, 1, 1, 0, 0, 3}},
        {{"--mend", "a.png", "buy_me.col", "--gaps", "6", "--threshold", "1", "--thicken", "2"},
         {2, 1, 2, 6, 0, 1, 0, 3}},
        {{"a.jpg", "--photo", "--detail", "5", "--drawing"}, {-1, 160, 0, 3, 0, 0, 1, 5}},
        {{"--drawing", "a.jpg", "--detail", "1", "--photo"}, {-1, 160, 0, 3, 0, 0, 2, 1}},
        {{"a.png", "duck.col", "--threshold", "256"}, {-2}},
        {{"a.png", "duck.col", "--gaps", "0"}, {-2}},
        {{"a.png", "--detail", "6"}, {-2}},
        {{"a.png", "duck.col", "--thicken"}, {-2}},
        {{"a.png", "duck.col", "--fast"}, {-2}},
        {{"a.png", "dusk"}, {-2}},
        {{"a.png", "..\\duck.col"}, {-2}},
        {{"a.png", "duck", "bones"}, {-2}},
        {{"--mend"}, {-2}}};
    for (const auto& [words, want] : cases) {
        std::vector<const char*> argv = {"hbpages"};
        argv.insert(argv.end(), words.begin(), words.end());
        MakerCommand c;
        const bool ok = ParseMakerCommand(int(argv.size()), argv.data(), pictures, 3, c);
        const MakerSettings& s = c.settings;
        const std::array<int, 8> got = {c.picture, s.threshold, s.thicken,   s.gaps,
                                        s.turn,    c.mend,      int(c.kind), s.detail};
        EXPECT_EQ(want, ok ? got : decltype(got){-2}) << argv.size() << " " << argv.back();
    }
    // The program and the picture beside it, in room for 20 characters; "" when it does not fit.
    for (const auto& [exe, want] : {std::pair{"C:\\Hb/x\\hbpages.exe", "C:\\Hb/x\\duck.col"},
                                    {"C:\\Hueberry\\hbpages.exe", ""}}) {
        char path[20];
        EXPECT_EQ(*want != 0, PathBesideProgram(exe, "duck.col", path, sizeof path));
        EXPECT_STREQ(want, path);
    }
}

} // namespace

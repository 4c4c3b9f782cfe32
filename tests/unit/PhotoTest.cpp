// Photos to pages: the segmentation's promises at every detail, the photo told from a drawing,
// the file's orientation read and applied, HEIF known by its bytes, shrinking while reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "lineart/Making.h"

namespace {

// A photo of 900 x 600: tiles of 96 colours under a soft light, a dark disc in the middle, noise.
RgbImage Scene() {
    RgbImage p{900, 600, std::vector<uint8_t>(900 * 600 * 3)};
    uint32_t seed = 1;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 900; ++x) {
            const int tile = x / 75 + 12 * (y / 75),
                      disc = (x - 450) * (x - 450) + (y - 300) * (y - 300);
            for (int c = 0; c < 3; ++c) {
                seed = seed * 1103515245 + 12345;
                const int level =
                    disc < 120 * 120 ? 30 : 40 + (tile * (37 + 53 * c)) % 180 + x / 30;
                p.rgb[(size_t(y) * 900 + x) * 3 + c] =
                    uint8_t(std::clamp(level + int(seed >> 28) - 8, 0, 255));
            }
        }
    return p;
}

TEST(Photo, EveryDetailGivesClosedAreasLargeEnoughAndMoreWithDetail) {
    PhotoParts parts;
    SplitPhoto(Scene(), parts);
    int before = 0;
    for (int detail = 1; detail <= DetailSteps; ++detail) {
        const LineMask page = PhotoPage(parts, detail, 3);
        PageCheck check;
        CheckPage(page, 3, check);
        const int areas = int(check.size.size());
        EXPECT_EQ(0u, check.leaks.size()) << detail;
        EXPECT_LE(PhotoAreaFloor, *std::min_element(check.size.begin(), check.size.end()));
        EXPECT_LE(before, areas) << detail;
        EXPECT_TRUE(detail != DefaultDetail || (areas >= 15 && areas <= 80)) << areas;
        before = areas;
        // Fitted 644 x 429 at 8, 16: framed at the margin; lines crossing row 245 and column
        // 300 (clear of the tiles' own rows and columns) two or three pixels wide.
        EXPECT_EQ(std::tuple(0, 1), std::tuple(int(page[245 * 660 + 7]), int(page[245 * 660 + 8])));
        for (const auto& [from, step, count] : {std::tuple(245 * 660, 1, 660), {300, 660, 460}}) {
            std::vector<int> runs(1, 0);
            for (int i = 0; i < count; ++i)
                if (page[size_t(from + i * step)])
                    ++runs.back();
                else if (runs.back())
                    runs.push_back(0);
            runs.pop_back();
            // None a hairline; wider only where lines meet or an area narrows to a point.
            const auto even = std::count_if(runs.begin(), runs.end(), [](int r) { return r < 4; });
            EXPECT_TRUE(*std::min_element(runs.begin(), runs.end()) >= 2 &&
                        even * 5 >= 4 * long(runs.size()))
                << detail << " " << step << " " << ::testing::PrintToString(runs);
        }
    }
}

TEST(Photo, ToldFromADrawingOrAsChosen) {
    RgbImage drawing{200, 100, std::vector<uint8_t>(200 * 100 * 3, 230)}; // grey paper
    for (int x = 20; x < 180; ++x)
        for (int y : {20, 21, 79, 80})
            std::fill_n(&drawing.rgb[(y * 200 + x) * 3], 3, 10);
    const RgbImage photo = Scene();
    EXPECT_EQ(
        (std::array{PageKind::Drawing, PageKind::Photo, PageKind::Photo, PageKind::Drawing,
                    PageKind::Drawing}),
        (std::array{ChooseKind(KindChoice::FromImage, drawing),
                    ChooseKind(KindChoice::FromImage, photo),
                    ChooseKind(KindChoice::Photo, drawing), ChooseKind(KindChoice::Drawing, photo),
                    ChooseKind(KindChoice::Photo, RgbImage())}));
}

TEST(Photo, OrientationReadAndApplied) {
    // A JPEG's start: an APP0, then APP1 with EXIF: two entries, the orientation (274) second.
    for (const bool big : {false, true})
        for (const int value : {6, 8, 9}) {
            std::vector<uint8_t> f = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xE1, 0, 42};
            const auto u16 = [&](int v) {
                f.push_back(uint8_t(big ? v >> 8 : v)), f.push_back(uint8_t(big ? v : v >> 8));
            };
            f.insert(f.end(), {'E', 'x', 'i', 'f', 0, 0, uint8_t(big ? 'M' : 'I'),
                               uint8_t(big ? 'M' : 'I')});
            u16(42), u16(big ? 0 : 8), u16(big ? 8 : 0), u16(2); // the first IFD at 8, 2 entries
            u16(0x100), u16(3), u16(!big), u16(big), u16(640), u16(0); // the width
            u16(0x112), u16(3), u16(!big), u16(big), u16(value), u16(0);
            EXPECT_EQ(value == 9 ? 1 : value, PhotoOrientation(f.data(), f.size())) << big;
            EXPECT_EQ(1, PhotoOrientation(f.data(), f.size() - 3)); // cut short
        }
    // Stored 3 wide and 2 high: a b c / d e f, one byte a pixel.
    const Mask stored(3, 2, std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e', 'f'});
    const std::pair<int, const char*> shown[] = {{1, "abcdef"}, {2, "cbafed"}, {3, "fedcba"},
                                                 {4, "defabc"}, {5, "adbecf"}, {6, "daebfc"},
                                                 {7, "fcebda"}, {8, "cfbead"}};
    for (const auto& [orientation, want] : shown) {
        const Mask up = Upright(stored, orientation);
        EXPECT_EQ(want, std::string(up.begin(), up.end())) << orientation;
        EXPECT_EQ(orientation < 5 ? 3 : 2, up.width);
        RgbImage colour{3, 2, std::vector<uint8_t>(18)};
        colour.rgb[8] = 9; // c's blue
        EXPECT_EQ(9, Upright(colour, orientation).rgb[(std::string(want).find('c')) * 3 + 2]);
    }
}

TEST(Photo, HeifKnownByItsBrands) { // the major brand or a compatible one
    const auto file = [](const char* major, const char* other) {
        std::vector<uint8_t> f = {0, 0, 0, 24, 'f', 't', 'y', 'p'};
        f.insert(f.end(), major, major + 4), f.insert(f.end(), 4, 0);
        f.insert(f.end(), other, other + 4), f.insert(f.end(), {'i', 's', 'o', 'm', 0, 0});
        return IsHeif(f.data(), f.size());
    };
    EXPECT_EQ((std::array{true, true, false, false}),
              (std::array{file("heic", "mif1"), file("isom", "mif1"), file("isom", "avc1"),
                          file("mp42", "heif")}));
}

TEST(Photo, ShrunkWhileReadAndScaledByArea) {
    // Blue-green-red-alpha, 3 x 2 shrunk by 2: white, red, black at half alpha, grey; the column
    // left over is a cell of its own.
    const uint8_t bgra[24] = {255, 255, 255, 255, 0,   0,   255, 255, 9, 9, 9, 255,
                              0,   0,   0,   128, 100, 100, 100, 255, 9, 9, 9, 255};
    std::vector<uint32_t> sums(2 * 4);
    AddShrunkRows(bgra, 12, 3, 2, 0, 4, 2, 2, sums);
    EXPECT_EQ((std::vector<uint8_t>{184, 121, 121, 9, 9, 9}), FromShrunkSums(sums, 2, 1).rgb);
    const RgbImage two{2, 1, {0, 10, 20, 100, 110, 120}};
    EXPECT_EQ((std::vector<uint8_t>{50, 60, 70}), ScaleByArea(two, 1, 1).rgb);
    EXPECT_EQ((std::vector<uint8_t>{0, 10, 20, 50, 60, 70, 100, 110, 120}),
              ScaleByArea(two, 3, 1).rgb);
}

} // namespace

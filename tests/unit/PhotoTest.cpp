// Photos to pages: closed, large enough, more with detail, on the edges, framed; kind, EXIF, HEIF.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "lineart/Making.h"

namespace {

// A photo of 900 x 600: tiles of 96 colours under a soft light, a dark disc in the middle, noise.
RgbImage Scene() {
    RgbImage p{900, 600, std::vector<uint8_t>(900 * 600 * 3)};
    uint32_t seed = 1;
    for (size_t i = 0; i < p.rgb.size(); ++i) {
        const int x = int(i / 3 % 900), y = int(i / 2700), c = int(i % 3);
        const bool disc = (x - 450) * (x - 450) + (y - 300) * (y - 300) < 120 * 120;
        const int level =
            disc ? 30 : 40 + ((x / 75 + 12 * (y / 75)) * (37 + 53 * c)) % 180 + x / 30;
        seed = seed * 1103515245 + 12345;
        p.rgb[i] = uint8_t(std::clamp(level + int(seed >> 28) - 8, 0, 255));
    }
    return p;
}

// The 4 x 4 squares of a page all line: blots, where outlines should be of even width.
int Blots(const LineMask& page) {
    int blots = 0;
    for (int y = 0; y + 4 <= 460; ++y)
        for (int x = 0; x + 4 <= 660; ++x) {
            int line = 0;
            for (int k = 0; k < 16; ++k)
                line += page[size_t(y + k / 4) * 660 + x + k % 4];
            blots += line == 16;
        }
    return blots;
}

// The pages made, as one digest: a change in how a photo is cut up shows even where every rule
// holds. When it is meant, look at the pages (art/tools/photopage) and take the new digest.
uint64_t Digest(uint64_t digest, const LineMask& page) {
    for (const uint8_t v : page)
        digest = (digest ^ v) * 0x100000001B3u;
    return digest;
}

TEST(Photo, PageAtEveryDetailAndAPhotoToldFromADrawing) {
    const RgbImage scene = Scene();
    PhotoParts parts;
    SplitPhoto(scene, parts);
    // The parts tile the fitted photo; a side is on a border (counted twice) or the frame.
    int64_t pixels = 0, sides = 0, across = 0;
    for (const PhotoParts::Part& p : parts.parts)
        pixels += p.pixels, sides += p.outline;
    for (const PhotoParts::Border& b : parts.borders)
        across += b.length;
    EXPECT_EQ(std::tuple(644 * 429, 2 * across + 2 * (644 + 429)), std::tuple(pixels, sides));
    int before = 0;
    uint64_t pages = 0xCBF29CE484222325u;
    for (int detail = 1; detail <= DetailSteps; ++detail) {
        PageCheck check, made;
        const LineMask page = PhotoPage(parts, detail, 3, made);
        CheckPage(page, 3, check);
        pages = Digest(pages, page);
        EXPECT_EQ(check.region, made.region) << detail; // the page's own check
        const int areas = int(check.size.size());
        EXPECT_EQ(0u, check.leaks.size()) << detail;
        EXPECT_LE(PhotoAreaFloor, *std::min_element(check.size.begin(), check.size.end()));
        EXPECT_LE(before, areas) << detail;
        EXPECT_TRUE(detail != DefaultDetail || (areas >= 15 && areas <= 80)) << areas;
        before = areas;
        // Lines on the photo's edges: within 8 photo pixels of a tile's side or the disc's rim, 14
        // near a (rounded) corner; the disc one area; lines 2-3 wide, no 4 x 4 square all line.
        for (int y = 15; y < 444; ++y)
            for (int x = 8; x < 652; ++x) {
                const double px = (x - 7.5) * 900 / 644, py = (y - 14.5) * 900 / 644;
                const double rim = std::abs(std::hypot(px - 450, py - 300) - 120);
                const double sx = std::abs(std::remainder(px, 75.0)),
                             sy = std::abs(std::remainder(py, 75.0)), side = std::min(sx, sy);
                const bool corner = std::max(sx, sy) < 20 || std::max(rim, side) < 20;
                if (page[size_t(y) * 660 + x] && std::min(rim, side) > (corner ? 14 : 8))
                    ADD_FAILURE() << detail << ": a line at " << x << "," << y;
            }
        EXPECT_EQ(0, Blots(page)) << detail;
        EXPECT_NEAR(3.14159 * 120 * 120 * 644 * 644 / 900 / 900,
                    check.size[check.region[230 * 660 + 330]], 1200);
        std::string frame; // fitted 644 x 429 at 8, 15: framed all round by a line two wide
        for (const int at : {245 * 660 + 7, 245 * 660 + 8, 245 * 660 + 652, 245 * 660 + 653,
                             14 * 660 + 300, 15 * 660 + 300, 444 * 660 + 300, 445 * 660 + 300})
            frame += char('0' + page[size_t(at)]);
        EXPECT_EQ("01100110", frame) << detail;
    }
    // Sixteen wedges of colour meeting in the middle, at the most detail: where their outlines
    // meet, no pocket too small to colour is left filled with line.
    RgbImage fan{900, 600, std::vector<uint8_t>(900 * 600 * 3)};
    for (size_t i = 0; i < fan.rgb.size(); ++i) {
        const double turn = std::atan2(int(i / 2700) - 300.0, int(i / 3 % 900) - 450.0);
        const int wedge = int(turn / std::acos(-1.0) * 8 + 8) % 16;
        fan.rgb[i] = uint8_t(40 + wedge * (37 + 53 * int(i % 3)) * 3 % 200);
    }
    SplitPhoto(fan, parts);
    PageCheck made;
    const LineMask fanPage = PhotoPage(parts, DetailSteps, 2, made);
    EXPECT_EQ(0, Blots(fanPage));
    // A mottled subject (fur, seeds) on plain ground: its faint inner borders are joined past the
    // areas aimed at, not left as a crazy paving that hides its shape.
    RgbImage fur{900, 600, std::vector<uint8_t>(900 * 600 * 3, 220)};
    for (size_t i = 0, seed = 7; i < fur.rgb.size(); ++i)
        if (std::hypot(int(i / 3 % 900) - 450.0, int(i / 2700) - 300.0) < 200)
            seed = seed * 1103515245 + 12345, fur.rgb[i] = uint8_t(60 + (seed >> 16) % 40);
    SplitPhoto(fur, parts);
    EXPECT_EQ(0x9460138B9BB3BEA2u,
              Digest(Digest(pages, fanPage), PhotoPage(parts, DefaultDetail, 2, made)));
    const int furAreas = int(made.size.size()); // about 33, were they left as aimed at
    EXPECT_TRUE(furAreas >= 15 && furAreas * 4 < AreasForDetail(DefaultDetail) * 3) << furAreas;
    // One colour: the middle the only interest; at the top's middle 1 - 1 / sqrt(2) of it.
    PhotoParts plain, like;
    SplitPhoto({900, 600, std::vector<uint8_t>(900 * 600 * 3, 128)}, plain);
    const auto at = [](const PhotoParts& p, size_t i) { return p.parts[size_t(p.part[i])]; };
    EXPECT_NEAR(0.3, at(plain, 322).interest / at(plain, 214 * 644 + 322).interest, 0.04);
    // The subject: a dark disc on light ground, not the ground; none on one colour, nor among
    // like discs that also run off the frame (a pattern: a grid of 300).
    for (const bool grid : {false, true}) {
        RgbImage discs{900, 600, std::vector<uint8_t>(900 * 600 * 3, 220)};
        for (size_t i = 0; i < discs.rgb.size(); ++i) {
            const int x = int(i / 3 % 900) + 150, y = int(i / 2700) + 150;
            if (std::hypot(grid ? x % 300 - 150 : x - 600, grid ? y % 300 - 150 : y - 450) < 100)
                discs.rgb[i] = 40;
        }
        SplitPhoto(discs, like);
        EXPECT_EQ(std::tuple(!grid, false, false),
                  std::tuple(at(like, 214 * 644 + 322).subject > 0, at(like, 0).subject > 0,
                             at(plain, 214 * 644 + 322).subject > 0));
    }
    // Told from a drawing (lines on grey paper); no image is a drawing even when a photo is asked.
    RgbImage drawing{200, 100, std::vector<uint8_t>(200 * 100 * 3, 230)};
    for (int x = 20; x < 180; ++x)
        for (int y : {20, 21, 79, 80})
            std::fill_n(&drawing.rgb[(y * 200 + x) * 3], 3, 10);
    // Photos: a pale one (light grain, a quarter a little darker), one over half black (a night
    // sky). Drawings: on paper shaded from side to side, 46 % black, a sheet all black.
    RgbImage pale{200, 100, std::vector<uint8_t>(200 * 100 * 3, 230)},
        shaded = drawing, night = drawing, heavy = drawing,
        black{200, 100, std::vector<uint8_t>(200 * 100 * 3, 10)};
    for (size_t i = 0; i < pale.rgb.size(); ++i) {
        pale.rgb[i] = i / 3 % 4 ? 230 : 205;
        shaded.rgb[i] = shaded.rgb[i] == 10 ? 10 : uint8_t(230 - i / 3 % 200 * 60 / 200);
        night.rgb[i] = i / 600 >= 45 ? 10 : night.rgb[i];
        heavy.rgb[i] = i / 600 >= 55 ? 10 : heavy.rgb[i];
    }
    EXPECT_EQ(
        std::tuple(PageKind::Drawing, PageKind::Photo, PageKind::Drawing, PageKind::Photo,
                   PageKind::Drawing, PageKind::Photo, PageKind::Drawing, PageKind::Drawing),
        std::tuple(
            ChooseKind(KindChoice::FromImage, drawing), ChooseKind(KindChoice::FromImage, scene),
            ChooseKind(KindChoice::Photo, RgbImage()), ChooseKind(KindChoice::FromImage, pale),
            ChooseKind(KindChoice::FromImage, shaded), ChooseKind(KindChoice::FromImage, night),
            ChooseKind(KindChoice::FromImage, heavy), ChooseKind(KindChoice::FromImage, black)));
}

TEST(Photo, FileReadTurnedAndShrunk) {
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
            f[11] = 38; // a segment that ends inside the orientation's entry
            EXPECT_EQ(1, PhotoOrientation(f.data(), f.size()));
        }
    const Mask stored(3, 2, std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e', 'f'}); // 3 x 2, stored
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
    const auto heif = [](const char* brands) { // HEIF: the major brand, or a compatible one
        const std::string f = std::string("\0\0\0\030ftyp", 8) + brands + "isom";
        return IsHeif(reinterpret_cast<const uint8_t*>(f.data()), f.size());
    };
    EXPECT_EQ((std::array{true, true, false, false}),
              (std::array{heif("heic0000mif1"), heif("isom0000mif1"), heif("isom0000avc1"),
                          heif("mp420000heif")}));
    // BGRA, 3 x 2 shrunk by 2: white, red, black at half alpha, grey; the odd column a cell alone.
    // The same bytes as blue-green-red, 4 x 2 shrunk by 2, and as grey, 12 x 2 shrunk by 6.
    const uint8_t bgra[24] = {255, 255, 255, 255, 0,   0,   255, 255, 9, 9, 9, 255,
                              0,   0,   0,   128, 100, 100, 100, 255, 9, 9, 9, 255};
    const std::tuple<int, int, std::vector<uint8_t>> shrunk[] = {
        {4, 2, {184, 121, 121, 9, 9, 9}},
        {3, 2, {89, 89, 160, 132, 132, 93}},
        {1, 6, {112, 112, 112, 119, 119, 119}}};
    for (const auto& [channels, factor, want] : shrunk) {
        std::vector<uint32_t> sums(2 * 2 * 4); // read as a later band: the second row of cells
        AddShrunkRows(bgra, 12, 12 / channels, 2, factor, channels, factor, 2, sums);
        std::vector<uint8_t> cells(6, 0);
        cells.insert(cells.end(), want.begin(), want.end());
        EXPECT_EQ(cells, FromShrunkSums(sums, 2, 2).rgb) << channels;
    }
    const RgbImage two{2, 1, {0, 10, 20, 100, 110, 120}};
    EXPECT_EQ((std::vector<uint8_t>{50, 60, 70}), ScaleByArea(two, 1, 1).rgb);
    EXPECT_EQ((std::vector<uint8_t>{0, 10, 20, 50, 60, 70, 100, 110, 120}),
              ScaleByArea(two, 3, 1).rgb);
}

} // namespace

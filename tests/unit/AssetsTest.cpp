// The shipped bitmaps, sounds, cursor, icon, music and pages: their formats, and the details the
// program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "colouring/ColourTable.h"
#include "page/PageFormat.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadAsset(const std::string& relative) {
    std::ifstream in(std::string(HB_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t Le(const Bytes& b, size_t at, int width) {
    uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | b.at(at + i);
    return v;
}
uint32_t Be(const Bytes& b, size_t at, int width) {
    uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | b.at(at + i);
    return v;
}

enum : int { Black = 0, LtGrey = 7, DkGrey = 8, White = 15 };

// A device-independent bitmap file read back into palette indices, top row first.
struct Dib {
    int width = 0, height = 0, bits = 0;
    std::vector<std::array<uint8_t, 3>> palette; // red, green, blue
    std::vector<uint8_t> px;
    int At(int x, int y) const { return px[size_t(y) * width + x]; }
};

// Checks the file layout the resource compiler and GDI expect, then unpacks the pixels.
Dib LoadDib(const std::string& name) {
    SCOPED_TRACE(name);
    const Bytes b = ReadAsset("resources/bitmaps/" + name + ".bmp");
    Dib d;
    if (b.size() < 54) {
        ADD_FAILURE() << "missing or truncated";
        return d;
    }
    d.width = int(Le(b, 18, 4));
    d.height = int(Le(b, 22, 4));
    d.bits = int(Le(b, 28, 2));
    const uint32_t colours = Le(b, 46, 4) ? Le(b, 46, 4) : 1u << d.bits;
    const uint32_t rowBytes = (uint32_t(d.width) * d.bits + 31) / 32 * 4;
    EXPECT_EQ(0, std::memcmp(b.data(), "BM", 2));
    EXPECT_EQ(b.size(), Le(b, 2, 4));
    EXPECT_EQ(40u, Le(b, 14, 4));
    EXPECT_EQ(1u, Le(b, 26, 2));
    EXPECT_EQ(0u, Le(b, 30, 4)) << "compressed";
    EXPECT_GT(d.height, 0) << "must be bottom-up";
    EXPECT_EQ(1u << d.bits, colours);
    EXPECT_EQ(54 + 4 * colours, Le(b, 10, 4));
    EXPECT_EQ(Le(b, 10, 4) + rowBytes * d.height, b.size());
    if (d.height <= 0 || (d.bits != 1 && d.bits != 4) ||
        Le(b, 10, 4) + rowBytes * d.height != b.size())
        return Dib{};
    for (uint32_t i = 0; i < colours; ++i)
        d.palette.push_back({b[54 + 4 * i + 2], b[54 + 4 * i + 1], b[54 + 4 * i]});
    d.px.resize(size_t(d.width) * d.height);
    for (int y = 0; y < d.height; ++y) {
        const uint8_t* row = &b[Le(b, 10, 4) + size_t(d.height - 1 - y) * rowBytes];
        for (int x = 0; x < d.width; ++x)
            d.px[size_t(y) * d.width + x] = d.bits == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15
                                                        : (row[x / 8] >> (7 - x % 8)) & 1;
    }
    return d;
}

TEST(Assets, BitmapsHaveTheirSizesDepthsAndPalettes) {
    const std::vector<std::array<uint8_t, 3>> standard = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"DotPattern", {8, 8}},   {"TitleArea", {148, 45}}, {"QuitBtn", {96, 45}},
        {"QuitBtnDn", {96, 45}},  {"PrintBtn", {79, 45}},   {"PrintBtnDn", {79, 45}},
        {"ClearBtn", {79, 45}},   {"ClearBtnDn", {79, 45}}, {"InfoBtn", {96, 45}},
        {"InfoBtnDn", {96, 45}},  {"UpBtn", {53, 45}},      {"UpBtnDn", {53, 45}},
        {"DownBtn", {53, 45}},    {"DownBtnDn", {53, 45}},  {"ColorBtn", {45, 45}},
        {"ColorBtnDn", {45, 45}}, {"IntroScr", {320, 200}}, {"CopyRight", {320, 50}}};
    for (const auto& [name, size] : sizes) {
        SCOPED_TRACE(name);
        const Dib d = LoadDib(name);
        EXPECT_EQ(size.first, d.width);
        EXPECT_EQ(size.second, d.height);
        EXPECT_EQ(4, d.bits);
        EXPECT_EQ(standard, d.palette);
    }
    const Dib titles = LoadDib("Titles");
    EXPECT_EQ(140, titles.width);
    EXPECT_EQ(510, titles.height);
    EXPECT_EQ(1, titles.bits);
    EXPECT_EQ((std::vector<std::array<uint8_t, 3>>{{0, 0, 0}, {255, 255, 255}}), titles.palette);
}

TEST(Assets, DotPatternIsAYellowTileWithABlackPlus) {
    const Dib d = LoadDib("DotPattern");
    ASSERT_EQ(64u, d.px.size());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool plus = (x == 4 && y <= 6) || (y == 3 && x >= 1);
            EXPECT_EQ(plus ? Black : 11, d.At(x, y)) << x << "," << y;
        }
}

// Walks in from one edge along a line: the first pixel that is not panel grey must be the black
// rim, the next the bevel.
int BevelFrom(const Dib& d, int x, int y, int dx, int dy) {
    while (d.At(x, y) == LtGrey)
        x += dx, y += dy;
    EXPECT_EQ(Black, d.At(x, y));
    return d.At(x + dx, y + dy);
}

TEST(Assets, PressedFacesSwapTheBevelAndMoveTheLabelTwoPixels) {
    for (const char* name : {"Quit", "Print", "Clear", "Info", "Up", "Down"}) {
        SCOPED_TRACE(name);
        const Dib up = LoadDib(std::string(name) + "Btn"),
                  down = LoadDib(std::string(name) + "BtnDn");
        ASSERT_EQ(up.width, down.width);
        ASSERT_EQ(up.height, down.height);
        const int w = up.width, h = up.height;
        for (const Dib* face : {&up, &down}) {
            EXPECT_EQ(LtGrey, face->At(0, 0)); // the corners blend with the panel
            EXPECT_EQ(LtGrey, face->At(w - 1, h - 1));
        }
        EXPECT_EQ(White, BevelFrom(up, w / 2, 0, 0, 1));
        EXPECT_EQ(DkGrey, BevelFrom(up, w / 2, h - 1, 0, -1));
        EXPECT_EQ(DkGrey, BevelFrom(down, w / 2, 0, 0, 1));
        EXPECT_EQ(White, BevelFrom(down, w / 2, h - 1, 0, -1));
        // The label is everything black well inside the rim; pressed, it is the same shape 2 px
        // down and right.
        int ink = 0, moved = 0;
        for (int y = 9; y < h - 11; ++y)
            for (int x = 12; x < w - 14; ++x) {
                ink += up.At(x, y) == Black;
                moved += (up.At(x, y) == Black) != (down.At(x + 2, y + 2) == Black);
            }
        EXPECT_GT(ink, 40);
        EXPECT_EQ(0, moved) << "label pixels that are not where the shifted label puts them";
    }
}

// A disc as the button code lists it: from its first row down, runs of (rows, first x, last x).
std::vector<std::array<int, 3>> Disc(int row, std::vector<int> runs) {
    std::vector<std::array<int, 3>> rows;
    for (size_t i = 0; i < runs.size(); i += 3)
        for (int n = 0; n < runs[i]; ++n)
            rows.push_back({row++, runs[i + 1], runs[i + 2]});
    return rows;
}

TEST(Assets, ColourButtonsHaveBlackDiscsUnderEveryPaintedPixel) {
    const auto small =
        Disc(12, {1,  19, 25, 1,  17, 27, 1,  16, 28, 1,  15, 29, 1,  14, 30, 2,  13, 31, 7, 12,
                  32, 2,  13, 31, 1,  14, 30, 1,  15, 29, 1,  16, 28, 1,  17, 27, 1,  19, 25});
    const auto large = Disc(3, {1, 18, 26, 1, 15, 29, 1, 13, 31, 1, 11, 33, 1, 10, 34, 1, 9, 35,
                                1, 8,  36, 1, 7,  37, 2, 6,  38, 2, 5,  39, 3, 4,  40, 9, 3, 41,
                                3, 4,  40, 2, 5,  39, 2, 6,  38, 1, 7,  37, 1, 8,  36, 1, 9, 35,
                                1, 10, 34, 1, 11, 33, 1, 13, 31, 1, 15, 29, 1, 18, 26});
    const Dib normal = LoadDib("ColorBtn"), selected = LoadDib("ColorBtnDn");
    ASSERT_EQ(45 * 45u, normal.px.size());
    ASSERT_EQ(45 * 45u, selected.px.size());
    for (const auto& [disc, face] : {std::pair{&small, &normal}, std::pair{&large, &selected}}) {
        int pixels = 0;
        for (auto [y, x0, x1] : *disc)
            for (int x = x0; x <= x1; ++x, ++pixels)
                EXPECT_EQ(Black, face->At(x, y)) << x << "," << y;
        EXPECT_EQ(disc == &small ? 349 : 1201, pixels);
        EXPECT_EQ(LtGrey, face->At(0, 0));
    }
    // The unselected button is a raised ring: lit at the top, shaded at the bottom.
    EXPECT_EQ(White, BevelFrom(normal, 22, 0, 0, 1));
    EXPECT_EQ(DkGrey, BevelFrom(normal, 22, 44, 0, -1));
}

TEST(Assets, TitlesHoldFiftyOneCentredCaptions) {
    const Dib t = LoadDib("Titles");
    ASSERT_EQ(140u * 510u, t.px.size());
    // The black ink's extent in a caption row: left, right, top, bottom.
    auto ink = [&](int row) {
        std::array<int, 4> box = {140, -1, 10, -1};
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 140; ++x)
                if (t.At(x, row * 10 + y) == 0)
                    box = {std::min(box[0], x), std::max(box[1], x), std::min(box[2], y),
                           std::max(box[3], y)};
        return box;
    };
    for (int row = 0; row < 51; ++row) {
        SCOPED_TRACE(row);
        const auto [left, right, top, bottom] = ink(row);
        ASSERT_GE(right, 0) << "empty caption";
        EXPECT_LE(std::abs(left - (139 - right)), 1) << "not centred";
        EXPECT_GE(top, 1); // a blank line keeps neighbouring captions apart
        EXPECT_LE(bottom, 8);
    }
    // Row 0 (BUY ME) is narrower than row 27 (JACK-O-LANTERN), and row 10 (BONES) sits between
    // them.
    auto inkWidth = [&](int row) { return ink(row)[1] - ink(row)[0]; };
    EXPECT_LT(inkWidth(0), inkWidth(27));
    EXPECT_LT(inkWidth(10), inkWidth(27));
    EXPECT_GT(inkWidth(10), inkWidth(35)); // BONES against PIG
}

TEST(Assets, CursorAndIconAreSingleImagesOfTheRightKind) {
    const Bytes cur = ReadAsset("resources/EditCursor.cur"),
                ico = ReadAsset("resources/HueberryIcon.ico");
    ASSERT_GE(cur.size(), 22u + 40u);
    ASSERT_GE(ico.size(), 22u + 40u);
    // Directory: reserved, type (2 cursor, 1 icon), one image of 32 x 32 whose bytes fill the rest
    // of the file.
    EXPECT_EQ(2u, Le(cur, 2, 2));
    EXPECT_EQ(1u, Le(ico, 2, 2));
    for (const Bytes* f : {&cur, &ico}) {
        EXPECT_EQ(1u, Le(*f, 4, 2));
        EXPECT_EQ(32u, Le(*f, 6, 1));
        EXPECT_EQ(32u, Le(*f, 7, 1));
        EXPECT_EQ(22u, Le(*f, 18, 4));
        EXPECT_EQ(f->size() - 22, Le(*f, 14, 4));
        EXPECT_EQ(40u, Le(*f, 22, 4));
        EXPECT_EQ(32u, Le(*f, 26, 4));
        EXPECT_EQ(64u, Le(*f, 30, 4)); // colour and mask planes
    }
    EXPECT_EQ(0u, Le(cur, 10, 2)); // hot spot (0, 0)
    EXPECT_EQ(0u, Le(cur, 12, 2));
    EXPECT_EQ(1u, Le(cur, 22 + 14, 2));
    EXPECT_EQ(22u + 40 + 8 + 128 + 128, cur.size());
    EXPECT_EQ(4u, Le(ico, 22 + 14, 2));
    EXPECT_EQ(22u + 40 + 64 + 512 + 128, ico.size());
    // The brush tip: top-left pixel opaque (mask bit clear) and black (colour bit clear). Rows are
    // bottom-up.
    const size_t colourTop = 22 + 40 + 8 + 31 * 4, maskTop = 22 + 40 + 8 + 128 + 31 * 4;
    EXPECT_EQ(0, cur[colourTop] & 0x80);
    EXPECT_EQ(0, cur[maskTop] & 0x80);
    EXPECT_NE(0, cur[22 + 40 + 8 + 128] & 0x01) << "the bottom-right corner should be transparent";
}

// A RIFF WAVE file's format fields and the 16-bit samples of its data chunk.
std::vector<int16_t> LoadWave(const std::string& name, uint32_t dataBytes) {
    SCOPED_TRACE(name);
    const Bytes b = ReadAsset("resources/sounds/" + name + ".wav");
    std::vector<int16_t> samples;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) || std::memcmp(&b[8], "WAVE", 4)) {
        ADD_FAILURE() << "not a RIFF WAVE file";
        return samples;
    }
    EXPECT_EQ(b.size() - 8, Le(b, 4, 4));
    bool format = false;
    for (size_t at = 12; at + 8 <= b.size(); at += 8 + ((Le(b, at + 4, 4) + 1) & ~1u)) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        if (id == "fmt ") {
            format = true;
            EXPECT_EQ(1u, Le(b, at + 8, 2));  // PCM
            EXPECT_EQ(1u, Le(b, at + 10, 2)); // mono
            EXPECT_EQ(22050u, Le(b, at + 12, 4));
            EXPECT_EQ(44100u, Le(b, at + 16, 4));
            EXPECT_EQ(2u, Le(b, at + 20, 2));
            EXPECT_EQ(16u, Le(b, at + 22, 2));
        } else if (id == "data") {
            EXPECT_TRUE(format) << "data before fmt";
            EXPECT_EQ(dataBytes, Le(b, at + 4, 4));
            EXPECT_LE(at + 8 + Le(b, at + 4, 4), b.size());
            for (size_t i = at + 8; i + 1 < at + 8 + Le(b, at + 4, 4) && i + 1 < b.size(); i += 2)
                samples.push_back(int16_t(Le(b, i, 2)));
        }
    }
    EXPECT_EQ(dataBytes / 2, samples.size());
    return samples;
}

TEST(Assets, EffectsHaveTheirFormatLengthsAndCleanEdges) {
    const std::map<int, uint32_t> dataBytes = {{1, 19712}, {2, 19786}, {3, 20024}, {4, 19872},
                                               {5, 2190},  {6, 2144},  {7, 18040}, {8, 4614}};
    for (const auto& [n, bytes] : dataBytes) {
        SCOPED_TRACE(n);
        const auto s = LoadWave(std::to_string(n), bytes);
        ASSERT_FALSE(s.empty());
        int peak = 0, biggestStep = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            peak = std::max(peak, std::abs(int(s[i])));
            if (i)
                biggestStep = std::max(biggestStep, std::abs(s[i] - s[i - 1]));
        }
        EXPECT_LT(peak, 31000) << "clipped or too hot";
        EXPECT_GT(peak, 3000) << "inaudible";
        if (n == 5 || n == 6) {
            // A loop must run on from its last sample into its first as smoothly as it runs
            // anywhere else.
            EXPECT_LE(std::abs(s.front() - s.back()), biggestStep);
        } else {
            // A one-shot starts and ends at silence, so it does not click.
            EXPECT_LT(std::abs(int(s.front())), 200);
            EXPECT_LT(std::abs(int(s.back())), 200);
        }
    }
    EXPECT_EQ(ReadAsset("resources/sounds/7.wav"), ReadAsset("resources/sounds/ClearWave.wav"));
}

TEST(Assets, MusicIsAStandardMidiFileOfSensibleLength) {
    const Bytes b = ReadAsset("data/hueberry.mid");
    ASSERT_GE(b.size(), 14u);
    ASSERT_EQ(0, std::memcmp(b.data(), "MThd", 4));
    EXPECT_EQ(6u, Be(b, 4, 4));
    const uint32_t format = Be(b, 8, 2), tracks = Be(b, 10, 2), division = Be(b, 12, 2);
    EXPECT_LE(format, 1u);
    ASSERT_GT(division, 0u);
    ASSERT_EQ(0u, division & 0x8000) << "expects ticks per quarter note";
    // Walk every track; note the tempo changes and the last tick.
    std::map<uint64_t, uint32_t> tempo = {{0, 500000}};
    uint64_t lastTick = 0;
    size_t at = 14;
    uint32_t found = 0;
    for (; at + 8 <= b.size(); ++found) {
        ASSERT_EQ(0, std::memcmp(&b[at], "MTrk", 4)) << "chunk at " << at;
        const size_t end = at + 8 + Be(b, at + 4, 4);
        ASSERT_LE(end, b.size());
        size_t p = at + 8;
        uint64_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        auto varlen = [&] {
            uint32_t v = 0;
            for (int i = 0; i < 4; ++i) {
                const uint8_t c = b.at(p++);
                v = (v << 7) | (c & 0x7F);
                if (!(c & 0x80))
                    break;
            }
            return v;
        };
        while (p < end && !ended) {
            tick += varlen();
            if (b.at(p) & 0x80)
                status = b[p++];
            ASSERT_NE(0, status) << "running status with nothing to run on";
            if (status == 0xFF) {
                const uint8_t type = b.at(p++);
                const uint32_t len = varlen();
                if (type == 0x51 && len == 3)
                    tempo[tick] = Be(b, p, 3);
                ended = type == 0x2F;
                p += len;
            } else if (status == 0xF0 || status == 0xF7) {
                p += varlen();
            } else {
                p += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            }
        }
        EXPECT_TRUE(ended) << "track without end-of-track";
        EXPECT_EQ(end, p) << "events run past or short of the track's length";
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    EXPECT_EQ(tracks, found);
    EXPECT_EQ(b.size(), at);
    double seconds = 0;
    for (auto it = tempo.begin(); it != tempo.end(); ++it) {
        const auto next = std::next(it);
        const uint64_t until = std::min(lastTick, next == tempo.end() ? lastTick : next->first);
        if (until > it->first)
            seconds += double(until - it->first) / division * it->second / 1e6;
    }
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
}

TEST(Assets, PagesAreBlankOneBitPicturesAChildCanColour) {
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    for (const char* name : {"bones", "duck", "parrots", "pig", "spider", "buy_me"}) {
        SCOPED_TRACE(name);
        const Bytes file = ReadAsset(std::string("data/") + name + ".col");
        ASSERT_EQ(62u + 84u * 460u, file.size());
        EXPECT_EQ(1u, Le(file, 28, 2)) << "a fresh page is 1-bit";
        EXPECT_EQ(62u, Le(file, 10, 4));
        BitmapFileHeader fh{};
        MYBITMAPINFO info{};
        std::vector<uint8_t> px(PagePixelBytes);
        ASSERT_EQ(1, ParsePage(file.data(), file.size(), palette, fh, info, px.data()));
        EXPECT_EQ(1, fh.bfReserved1) << "blank flag";

        // Regions as the fill finds them: 4-connected runs of non-outline pixels (rows here are
        // bottom-up, which does not change connectivity).
        std::vector<int> label(PagePixelBytes, -1);
        std::vector<int> sizes;
        std::vector<uint32_t> stack;
        for (uint32_t start = 0; start < PagePixelBytes; ++start) {
            if (px[start] == OutlineIndex || label[start] >= 0)
                continue;
            const int id = int(sizes.size());
            sizes.push_back(0);
            label[start] = id;
            stack.assign(1, start);
            while (!stack.empty()) {
                const uint32_t i = stack.back();
                stack.pop_back();
                ++sizes[id];
                const uint32_t x = i % 660;
                for (uint32_t j : {x > 0 ? i - 1 : i, x < 659 ? i + 1 : i, i >= 660 ? i - 660 : i,
                                   i + 660 < PagePixelBytes ? i + 660 : i})
                    if (px[j] != OutlineIndex && label[j] < 0)
                        label[j] = id, stack.push_back(j);
            }
        }
        EXPECT_GE(sizes.size(), 15u);
        EXPECT_LE(sizes.size(), 60u);
        EXPECT_GE(*std::min_element(sizes.begin(), sizes.end()), 20) << "a pocket too small to hit";
        // Everything around the drawing is one region, so one click colours the whole background.
        std::set<int> border;
        for (uint32_t i = 0; i < PagePixelBytes; ++i)
            if (i % 660 == 0 || i % 660 == 659 || i < 660 || i >= PagePixelBytes - 660)
                border.insert(label[i]);
        border.erase(-1);
        EXPECT_EQ(1u, border.size());
    }
}

} // namespace

// Page files from and to bytes: 1-bit expansion, 8-bit round trip, malformed pages left untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "../DesignColours.h"
#include "colouring/ColourTable.h"
#include "page/PageFormat.h"

namespace {

struct Loaded {
    BitmapFileHeader fh{};
    MYBITMAPINFO info{};
    std::vector<uint8_t> pixels = std::vector<uint8_t>(660 * 460, 0xAB);
};

PalEntry Palette[256];

std::vector<uint8_t> MonoPage(int width = 660, int height = 460) {
    const uint32_t rowBytes = ((uint32_t(width) + 31) / 32) * 4;
    std::vector<uint8_t> file(62 + size_t(rowBytes) * height, 0xFF);
    BitmapFileHeader fh{0x4F43 /* "CO" */, uint32_t(file.size()), 1, 0, 62};
    BitmapInfoHeader h{40, width, height, 1, 1, 0, rowBytes * height, 0, 0, 2, 0};
    std::memcpy(file.data(), &fh, 14);
    std::memcpy(file.data() + 14, &h, 40);
    return file;
}

// The bytes with the four at offset replaced, made at least size bytes long.
std::vector<uint8_t> With(std::vector<uint8_t> b, size_t at, uint32_t value, size_t size = 0) {
    std::memcpy(&b[at], &value, 4);
    b.resize(std::max(size, b.size()), 0xFF);
    return b;
}

int Parse(const std::vector<uint8_t>& file, Loaded& page) {
    BuildPaletteEntries(Palette); // the display palette, the colours a 1-bit page takes
    return ParsePage(file.data(), file.size(), Palette, page.fh, page.info, page.pixels.data());
}

TEST(PageFormat, MonoPageLoadsToTheEightBitForm) {
    auto file = MonoPage();
    // Outline pixel at picture (0, 0), the top-left, which is the last row of the file.
    file[62 + 459 * 84] = 0x7F;
    // A padding bit after the 660th pixel of the bottom row is clear; it must not show up anywhere.
    file[62 + 82] = 0xF0;
    Loaded page;
    ASSERT_EQ(1, Parse(file, page));
    const BitmapInfoHeader& h = page.info.bmiHeader;
    EXPECT_EQ((std::vector<uint32_t>{8, 0, 303600, 1078, 304678, 1}),
              (std::vector<uint32_t>{h.biBitCount, h.biClrUsed, h.biSizeImage, page.fh.bfOffBits,
                                     page.fh.bfSize, page.fh.bfReserved1}));
    // Its colours are the display palette's: the design's (reserved to it), black, white at 255.
    for (int i = 0; i < 256; ++i) {
        const RgbQuad& c = page.info.bmiColors[i];
        const uint32_t want = i < 38 ? DesignColours[i] : i == 255 ? 0xFFFFFF : 0;
        EXPECT_EQ(want, uint32_t(c.rgbRed << 16 | c.rgbGreen << 8 | c.rgbBlue)) << i;
        EXPECT_EQ(i < 38 ? PaletteReserved : 0, Palette[i].flags) << i;
    }
    EXPECT_EQ(0, page.pixels[459 * 660 + 0]);
    EXPECT_EQ(303599, std::count(page.pixels.begin(), page.pixels.end(), 37)); // all else blank
}

TEST(PageFormat, SavedPageLoadsBackIdentically) {
    Loaded page;
    ASSERT_EQ(1, Parse(MonoPage(), page));
    page.pixels[1234] = 5;
    page.fh.bfReserved1 = 0;
    auto bytes = SerializePage(page.fh, page.info, page.pixels.data());
    ASSERT_EQ(304678u, bytes.size());
    Loaded again;
    ASSERT_EQ(1, Parse(bytes, again));
    EXPECT_EQ(bytes, SerializePage(again.fh, again.info, again.pixels.data()));
    for (const auto& [width, height] :
         {std::pair{661, 460}, {660, 461}}) { // only the standard page
        again.info.bmiHeader.biWidth = width, again.info.bmiHeader.biHeight = height;
        EXPECT_TRUE(SerializePage(again.fh, again.info, again.pixels.data()).empty());
    }
}

TEST(PageFormat, MalformedPagesAreRefusedAndLeaveThePageUntouched) {
    Loaded good;
    ASSERT_EQ(1, Parse(MonoPage(), good));
    const auto eight = SerializePage(good.fh, good.info, good.pixels.data());
    const auto mono = MonoPage();
    const std::vector<std::vector<uint8_t>> bad = {
        {},                                                      // empty
        std::vector<uint8_t>(eight.begin(), eight.begin() + 40), // shorter than the headers
        std::vector<uint8_t>(eight.begin(), eight.end() - 1),    // one pixel short
        std::vector<uint8_t>(mono.begin(), mono.end() - 1),
        With(eight, 22, uint32_t(-460)), // not the standard size
        With(eight, 18, 661),
        With(eight, 34, 303601), // biSizeImage larger than the buffer
        With(eight, 34, 303599), // smaller than width x height: a pixel left stale
        MonoPage(330, 230),
        With(eight, 10, 0xFFFFFFF0u), // pixel data beyond the file
        With(eight, 0, 0x4D42),       // "BM"
    };

    for (size_t i = 0; i < bad.size(); ++i) {
        Loaded page = good;
        page.pixels[7] = 9;
        const Loaded before = page;
        EXPECT_EQ(0, Parse(bad[i], page)) << "case " << i;
        EXPECT_TRUE(!std::memcmp(&before.fh, &page.fh, 14) &&
                    !std::memcmp(&before.info, &page.info, 1064) && before.pixels == page.pixels)
            << "case " << i;
    }
}

TEST(PageFormat, ConverterMakesAOneBitPageAndRefusesOtherBitmaps) {
    const auto bmp = With(MonoPage(), 0, 0x4D42); // "BM"; the file size it overwrites is not read
    std::vector<uint8_t> out;
    ASSERT_EQ(1, ConvertBmpBytes(bmp.data(), bmp.size(), out));
    EXPECT_EQ(MonoPage(), out); // "CO", its size and the 1-bit mark written, the rest kept

    const std::vector<std::vector<uint8_t>> bad = {
        MonoPage(),                                         // "CO", not "BM"
        With(bmp, 28, 8),                                   // 8 bits a pixel
        With(bmp, 14, 12),                                  // another info header
        With(bmp, 30, 1),                                   // compressed
        With(bmp, 10, 70),                                  // pixels elsewhere
        With(bmp, 18, 0),                                   // no width
        With(bmp, 22, 0),                                   // no height
        With(With(bmp, 18, 6657), 22, 300, 62 + 836 * 300), // rows over 832 bytes
        With(bmp, 22, 3615, 62 + 84 * 3615),                // more than the page buffer
        std::vector<uint8_t>(bmp.begin(), bmp.end() - 1),   // pixel data cut short
        std::vector<uint8_t>(bmp.begin(), bmp.begin() + 30),
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(0, ConvertBmpBytes(bad[i].data(), bad[i].size(), out)) << "case " << i;
        EXPECT_TRUE(out.empty());
    }
}

} // namespace

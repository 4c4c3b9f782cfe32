// Page file records (a bitmap-file layout with the magic "CO") and their reading and writing from
// and to bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct BitmapFileHeader {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1; // the blank flag: 1 blank, 0 coloured since
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};
struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
struct RgbQuad {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};
struct MYBITMAPINFO {
    BitmapInfoHeader bmiHeader;
    RgbQuad bmiColors[256];
};
#pragma pack(pop)

// One entry of a logical palette: red, green, blue, flags. A 1-bit page's colour table is rebuilt
// from the display palette's entries.
struct PalEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};
static_assert(sizeof(PalEntry) == 4);

static_assert(sizeof(BitmapFileHeader) == 14);
static_assert(offsetof(BitmapFileHeader, bfSize) == 2);
static_assert(offsetof(BitmapFileHeader, bfReserved1) == 6);
static_assert(offsetof(BitmapFileHeader, bfReserved2) == 8);
static_assert(offsetof(BitmapFileHeader, bfOffBits) == 10);
static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(offsetof(BitmapInfoHeader, biWidth) == 4);
static_assert(offsetof(BitmapInfoHeader, biHeight) == 8);
static_assert(offsetof(BitmapInfoHeader, biPlanes) == 12);
static_assert(offsetof(BitmapInfoHeader, biBitCount) == 14);
static_assert(offsetof(BitmapInfoHeader, biCompression) == 16);
static_assert(offsetof(BitmapInfoHeader, biSizeImage) == 20);
static_assert(offsetof(BitmapInfoHeader, biXPelsPerMeter) == 24);
static_assert(offsetof(BitmapInfoHeader, biYPelsPerMeter) == 28);
static_assert(offsetof(BitmapInfoHeader, biClrUsed) == 32);
static_assert(offsetof(BitmapInfoHeader, biClrImportant) == 36);
static_assert(sizeof(RgbQuad) == 4);
static_assert(sizeof(MYBITMAPINFO) == 1064);

constexpr uint16_t PageMagic = 0x4F43;   // "CO"
constexpr uint16_t BitmapMagic = 0x4D42; // "BM"
constexpr int StdPageWidth = 660;
constexpr int StdPageHeight = 460;
constexpr uint32_t PagePixelBytes = 303600;     // 660 x 460, the size of lpDib and lpDibClear
constexpr uint32_t PrintBufferBytes = 312624;   // (660 + 8) x (460 + 8)
constexpr uint32_t PageHeaderBytes = 14 + 1064; // file header, info header and 256 colours
constexpr uint32_t StdPageFileBytes = PageHeaderBytes + PagePixelBytes; // 304,678
constexpr uint32_t MonoRowMax = 832; // the loader's 1-bit row buffer
constexpr uint8_t OutlineIndex = 0;
constexpr uint8_t BlankIndex = 37;        // '%'
constexpr uint8_t PrintedBlankIndex = 27; // white on paper

// Expands n bytes of 1-bit pixels, most significant bit first: a set bit is blank (37), a clear one
// outline (0).
void ExpandMonoRow(const uint8_t* source, uint8_t* destination, uint32_t byteCount);

// Reads a page file held in memory into the 8-bit page form. A 1-bit page is expanded and its
// colour table rebuilt from the display palette (red, green, blue; the fourth bytes as read). Any
// page that is not a 660 x 460 page whose pixel data lie wholly inside the file is refused; on
// refusal the outputs are untouched. An accepted page's header describes the pixels as held and
// saved: 8-bit, uncompressed, after a 40-byte info header and 256 colours. pixels must hold
// PagePixelBytes. Returns 1 when loaded, 0 when refused.
int ParsePage(const uint8_t* file, size_t size, const PalEntry palette[256],
              BitmapFileHeader& fileHeader, MYBITMAPINFO& info, uint8_t* pixels);

// The bytes of a page file as the program writes it: both headers as held, then width x height
// pixels. Returns an empty vector when the held header does not describe a standard page.
std::vector<uint8_t> SerializePage(const BitmapFileHeader& fileHeader, const MYBITMAPINFO& info,
                                   const uint8_t* pixels);

// Makes a 1-bit page file (blank flag 1) from an uncompressed 1-bit BMP with a 40-byte info header
// and two colour entries whose pixels start at offset 62. Returns 0 (and leaves out empty) for any
// other source.
int ConvertBmpBytes(const uint8_t* bmp, size_t size, std::vector<uint8_t>& out);

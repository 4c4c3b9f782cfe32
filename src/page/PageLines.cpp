// A page's lines read from its pixels and written as a 1-bit page file.
#include "page/PageLines.h"

#include <cstring>

#include "page/PageFormat.h"

namespace {
constexpr int W = StdPageWidth, H = StdPageHeight;
}

std::vector<uint8_t> PageOutline(const uint8_t* pixels) {
    std::vector<uint8_t> lines(PagePixelBytes);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            lines[size_t(y) * W + x] = pixels[size_t(H - 1 - y) * W + x] == OutlineIndex;
    return lines;
}

bool PageFileOutline(const uint8_t* file, size_t size, std::vector<uint8_t>& lines) {
    // Only which pixels are outline counts, so the colours the page is read with do not.
    const PalEntry palette[256] = {};
    BitmapFileHeader fh;
    MYBITMAPINFO info;
    std::vector<uint8_t> pixels(PagePixelBytes);
    if (!ParsePage(file, size, palette, fh, info, pixels.data()))
        return false;
    lines = PageOutline(pixels.data());
    return true;
}

std::vector<uint8_t> MonoPageFile(const std::vector<uint8_t>& lines) {
    // A 1-bit bitmap of the lines (set bits blank, rows bottom-up and padded to 32 bits), made
    // into a page by the same converter as every shipped page.
    constexpr uint32_t rowBytes = (W + 31) / 32 * 4, dataBytes = rowBytes * H;
    std::vector<uint8_t> bmp(62 + dataBytes, 0);
    const BitmapFileHeader fh{BitmapMagic, 62 + dataBytes, 0, 0, 62};
    const BitmapInfoHeader h{40, W, H, 1, 1, 0, dataBytes, 2835, 2835, 2, 2};
    const uint8_t colours[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    std::memcpy(bmp.data(), &fh, sizeof fh);
    std::memcpy(bmp.data() + sizeof fh, &h, sizeof h);
    std::memcpy(bmp.data() + sizeof fh + sizeof h, colours, sizeof colours);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (!lines[size_t(y) * W + x])
                bmp[62 + size_t(H - 1 - y) * rowBytes + x / 8] |= uint8_t(0x80 >> (x % 8));
    std::vector<uint8_t> page;
    ConvertBmpBytes(bmp.data(), bmp.size(), page);
    return page;
}

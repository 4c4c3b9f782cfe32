// Reading and writing page files from and to bytes; every read is bounded by the file and the
// buffers.
#include "page/PageFormat.h"

#include <cstring>

void ExpandMonoRow(const uint8_t* source, uint8_t* destination, uint32_t byteCount) {
    for (uint32_t i = 0; i < byteCount; ++i) {
        for (uint8_t mask = 0x80; mask != 0; mask >>= 1)
            *destination++ = (source[i] & mask) ? BlankIndex : OutlineIndex;
    }
}

namespace {

uint32_t MonoRowBytes(int32_t width) {
    return ((static_cast<uint32_t>(width) + 31) / 32) * 4;
}

// Whether [offset, offset + count) lies inside a file of size bytes.
bool Inside(size_t size, uint64_t offset, uint64_t count) {
    return offset <= size && count <= size - offset;
}

} // namespace

int ParsePage(const uint8_t* file, size_t size, const PalEntry palette[256],
              BitmapFileHeader& fileHeader, MYBITMAPINFO& info, uint8_t* pixels) {
    BitmapFileHeader fh;
    MYBITMAPINFO bi;
    if (!Inside(size, 0, sizeof fh + sizeof(BitmapInfoHeader)))
        return 0;
    std::memcpy(&fh, file, sizeof fh);
    if (fh.bfType != PageMagic)
        return 0;
    // A 1-bit file is shorter than the 256-entry table: what lies beyond the file stays zero.
    std::memset(&bi, 0, sizeof bi);
    std::memcpy(&bi, file + sizeof fh, size - sizeof fh < sizeof bi ? size - sizeof fh : sizeof bi);
    BitmapInfoHeader& h = bi.bmiHeader;
    // The wipe and the print layouts work on the standard page only.
    if (h.biWidth != StdPageWidth || h.biHeight != StdPageHeight)
        return 0;
    const uint32_t width = StdPageWidth, height = StdPageHeight;
    // The page is held as 8-bit, uncompressed pixels after a 40-byte info header and 256 colours,
    // whatever the file's header says; the display is handed this header, so it must say just that
    // (a header claiming 32 bits makes the display read four times past the pixels).
    h.biSize = sizeof(BitmapInfoHeader);
    h.biPlanes = 1;
    h.biCompression = 0;
    if (h.biClrUsed > 256)
        h.biClrUsed = 0;

    if (h.biBitCount == 1) {
        const uint32_t rowBytes = MonoRowBytes(h.biWidth);
        if (rowBytes > MonoRowMax || !Inside(size, fh.bfOffBits, uint64_t(rowBytes) * height))
            return 0;
        uint8_t expanded[MonoRowMax * 8];
        for (uint32_t row = 0; row < height; ++row) {
            ExpandMonoRow(file + fh.bfOffBits + size_t(row) * rowBytes, expanded, (width + 7) / 8);
            std::memcpy(pixels + size_t(row) * width, expanded, width);
        }
        for (int i = 0; i < 256; ++i) {
            bi.bmiColors[i].rgbRed = palette[i].red;
            bi.bmiColors[i].rgbGreen = palette[i].green;
            bi.bmiColors[i].rgbBlue = palette[i].blue;
        }
        h.biClrUsed = 0;
        h.biBitCount = 8;
        h.biSizeImage = width * height;
        fh.bfOffBits = h.biSize + 1038;
        fh.bfSize = h.biSizeImage + fh.bfOffBits;
    } else {
        // An 8-bit page brings its whole colour table and exactly width x height pixel bytes.
        if (!Inside(size, sizeof fh, sizeof bi) || h.biSizeImage != width * height ||
            !Inside(size, fh.bfOffBits, h.biSizeImage))
            return 0;
        std::memcpy(pixels, file + fh.bfOffBits, h.biSizeImage);
        h.biBitCount = 8;
        fh.bfOffBits = PageHeaderBytes; // where the saved file puts them
    }
    fileHeader = fh;
    info = bi;
    return 1;
}

std::vector<uint8_t> SerializePage(const BitmapFileHeader& fileHeader, const MYBITMAPINFO& info,
                                   const uint8_t* pixels) {
    std::vector<uint8_t> out;
    if (info.bmiHeader.biWidth != StdPageWidth || info.bmiHeader.biHeight != StdPageHeight ||
        !pixels)
        return out;
    out.resize(StdPageFileBytes);
    std::memcpy(out.data(), &fileHeader, sizeof fileHeader);
    std::memcpy(out.data() + sizeof fileHeader, &info, sizeof info);
    std::memcpy(out.data() + PageHeaderBytes, pixels, PagePixelBytes);
    return out;
}

int ConvertBmpBytes(const uint8_t* bmp, size_t size, std::vector<uint8_t>& out) {
    out.clear();
    constexpr size_t headerBytes =
        sizeof(BitmapFileHeader) + sizeof(BitmapInfoHeader) + 2 * sizeof(RgbQuad);
    static_assert(headerBytes == 62);
    if (!Inside(size, 0, headerBytes))
        return 0;
    BitmapFileHeader fh;
    BitmapInfoHeader h;
    std::memcpy(&fh, bmp, sizeof fh);
    std::memcpy(&h, bmp + sizeof fh, sizeof h);
    if (fh.bfType != BitmapMagic || h.biSize != 40 || h.biBitCount != 1 || h.biCompression != 0 ||
        fh.bfOffBits != headerBytes || h.biWidth <= 0 || h.biHeight <= 0)
        return 0;
    const uint64_t imageBytes = uint64_t(MonoRowBytes(h.biWidth)) * uint64_t(h.biHeight);
    if (MonoRowBytes(h.biWidth) > MonoRowMax || imageBytes > PagePixelBytes ||
        !Inside(size, headerBytes, imageBytes))
        return 0;
    h.biSizeImage = static_cast<uint32_t>(imageBytes);
    fh.bfType = PageMagic;
    fh.bfReserved1 = 1;
    fh.bfSize = static_cast<uint32_t>(headerBytes + imageBytes);
    out.resize(headerBytes + imageBytes);
    std::memcpy(out.data(), &fh, sizeof fh);
    std::memcpy(out.data() + sizeof fh, &h, sizeof h);
    std::memcpy(out.data() + sizeof fh + sizeof h, bmp + sizeof fh + sizeof h,
                headerBytes - sizeof fh - sizeof h + imageBytes);
    return 1;
}

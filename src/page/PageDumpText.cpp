// The texts of the page's developer dumps, each formatted into a bounded buffer and cut to fit.
#include "page/PageDumpText.h"

#include <cstdio>

namespace {

// snprintf reports the length it wanted; the text held is at most size - 1.
int HeldLength(int wanted, size_t size) {
    if (wanted < 0 || size == 0)
        return 0;
    return size_t(wanted) < size ? wanted : int(size - 1);
}

const char* const ColourLine =
    "%03u %03u %03u,  %03u %03u %03u,  %03u %03u %03u,  %03u %03u %03u\n";

} // namespace

int FormatColourGroup(char* out, size_t size, const RgbQuad colours[256], int group) {
    int length = HeldLength(
        std::snprintf(out, size, "Red Green Blue:  group %i to %i\n", group, group + 63), size);
    for (int line = 0; line < 16; ++line) {
        const RgbQuad* c = colours + group + 4 * line;
        length += HeldLength(std::snprintf(out + length, size - size_t(length), ColourLine,
                                           c[0].rgbRed, c[0].rgbGreen, c[0].rgbBlue, c[1].rgbRed,
                                           c[1].rgbGreen, c[1].rgbBlue, c[2].rgbRed, c[2].rgbGreen,
                                           c[2].rgbBlue, c[3].rgbRed, c[3].rgbGreen, c[3].rgbBlue),
                             size - size_t(length));
    }
    return length;
}

int FormatByteGroup(char* out, size_t size, const uint8_t* bytes, int group) {
    int length = HeldLength(std::snprintf(out, size, "Group %i to %i\n", group, group + 63), size);
    for (int line = 0; line < 5; ++line) {
        const uint8_t* b = bytes + group + 12 * line;
        length +=
            HeldLength(std::snprintf(out + length, size - size_t(length), ColourLine, b[0], b[1],
                                     b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11]),
                       size - size_t(length));
    }
    return length;
}

int FormatPageHeader(char* out, size_t size, const BitmapFileHeader& file,
                     const BitmapInfoHeader& info) {
    const char type[3] = {char(file.bfType & 0xFF), char(file.bfType >> 8), 0};
    return HeldLength(
        std::snprintf(
            out, size,
            "BITMAPFILEHEADER bmfhead\nbfType "
            "\t\t%s\nbfSize\t\t%lu\nbfReserved1\t%u\nbfReserved2\t%u\n"
            "bfOffBits\t%lu\n(size of structure %u)\n\nMYBITMAPINFO bmp\n ::BITMAPINFOHEADER "
            "bmiHeader\nbiSize\t\t%lu\nbiWidth\t\t%ld\nbiHeight\t\t%ld\nbiPlanes\t%u\nbiBitCount\t%"
            "u\n"
            "biCompression\t%lu\nbiSizeImage\t%lu\nbiXPelsPerMeter\t%ld\nbiYPelsPerMeter\t%ld\n"
            "biClrUsed\t%lu\nbiClrImportant\t%lu\n",
            type, (unsigned long)file.bfSize, unsigned(file.bfReserved1),
            unsigned(file.bfReserved2), (unsigned long)file.bfOffBits,
            unsigned(sizeof(BitmapFileHeader)), (unsigned long)info.biSize, long(info.biWidth),
            long(info.biHeight), unsigned(info.biPlanes), unsigned(info.biBitCount),
            (unsigned long)info.biCompression, (unsigned long)info.biSizeImage,
            long(info.biXPelsPerMeter), long(info.biYPelsPerMeter), (unsigned long)info.biClrUsed,
            (unsigned long)info.biClrImportant),
        size);
}

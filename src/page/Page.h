// The page in memory: its header records and the three page buffers, shared by the whole program.
#pragma once
#include <cstddef>
#include <cstdint>

#include "page/PageFormat.h"

extern BitmapFileHeader bmfhead; // file header; bfReserved1 is the blank flag
extern MYBITMAPINFO bmp;         // info header and the 256-entry colour table of the page
extern uint8_t* lpDib;           // PageImage: width x height colour indices, rows bottom-up
extern uint8_t* lpDibClear;      // scratch: the wipe's visited map, the print layouts' rotated copy
extern uint8_t* lpPrintBuf;      // print buffer: the rotated picture with a 4-pixel border
// The display palette's entries, set when the palette is built: a 1-bit page's colours.
extern PalEntry DisplayPalette[256];

// A view of a bottom-up page of colour indices.
struct PageView {
    uint8_t* pixels;
    int width;
    int height;
    // The byte of picture position (x, y), y counted from the top.
    uint8_t& At(int x, int y) const {
        return pixels[size_t(height - 1 - y) * size_t(width) + size_t(x)];
    }
};

inline PageView CurrentPageView() {
    return {lpDib, bmp.bmiHeader.biWidth, bmp.bmiHeader.biHeight};
}

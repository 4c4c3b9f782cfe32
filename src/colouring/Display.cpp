// The display palette and drawing the page at its place in the main window.
#include "colouring/Display.h"

#include "page/Page.h"
#include "support/Gdi.h"
#include "support/Program.h"

HPALETTE hPalette;
HPALETTE hPalettePrevious;

static_assert(sizeof(BITMAPINFOHEADER) == sizeof(BitmapInfoHeader));
static_assert(sizeof(RGBQUAD) == sizeof(RgbQuad));
static_assert(sizeof(MYBITMAPINFO) == sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
static_assert(offsetof(BITMAPINFOHEADER, biSizeImage) == offsetof(BitmapInfoHeader, biSizeImage));
static_assert(sizeof(BITMAPFILEHEADER) == sizeof(BitmapFileHeader));
static_assert(sizeof(PALETTEENTRY) == sizeof(PalEntry));

namespace {

struct Palette256 {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[256];
};

} // namespace

void SelectDisplayPalette(HDC dc) {
    if (hPalette) {
        SelectPalette(dc, hPalette, FALSE);
        RealizePalette(dc);
    }
}

int BuildPalette(HWND window) {
    BuildPaletteEntries(DisplayPalette);
    Palette256 logical;
    logical.palVersion = 0x300;
    logical.palNumEntries = 256;
    for (int i = 0; i < 256; ++i)
        logical.palPalEntry[i] = {DisplayPalette[i].red, DisplayPalette[i].green,
                                  DisplayPalette[i].blue, DisplayPalette[i].flags};
    hPalette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
    if (hPalette) {
        const WindowDc screen(window);
        hPalettePrevious = SelectPalette(screen.dc, hPalette, FALSE);
        RealizePalette(screen.dc);
    }
    CopyPaletteToColourTable(DisplayPalette, bmp.bmiColors);
    return 1;
}

void ReleasePalette(HWND window) {
    const WindowDc screen(window);
    if (hPalette) {
        SelectPalette(screen.dc, hPalettePrevious, FALSE);
        DeleteObject(hPalette);
        hPalette = nullptr;
    }
}

int ShowPage() {
    if (!lpDib)
        return 0;
    const WindowDc screen(hWndMain);
    SelectDisplayPalette(screen.dc);
    const int width = bmp.bmiHeader.biWidth, height = bmp.bmiHeader.biHeight;
    StretchDIBits(screen.dc, PictureLeft, PictureTop, width, height, 0, 0, width, height, lpDib,
                  reinterpret_cast<const BITMAPINFO*>(&bmp), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

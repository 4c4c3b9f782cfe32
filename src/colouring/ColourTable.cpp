// The colour table and the display palette entries.
#include "colouring/ColourTable.h"

#include "page/PageFormat.h"

const ColourEntry ColourTable[ColourCount] = {
    {0, 0, 0, 0},       {0, 0, 0, 0},       {255, 0, 0, 0},     {0, 0, 160, 0},
    {255, 255, 0, 0},   {0, 111, 0, 0},     {255, 127, 0, 0},   {48, 0, 111, 0},
    {111, 47, 0, 0},    {159, 0, 159, 0},   {127, 63, 0, 0},    {255, 112, 112, 0},
    {0, 96, 255, 0},    {223, 255, 0, 0},   {0, 223, 0, 0},     {255, 159, 0, 0},
    {159, 0, 255, 0},   {191, 0, 0, 0},     {0, 63, 95, 0},     {255, 223, 0, 0},
    {0, 95, 0, 0},      {208, 96, 47, 0},   {255, 0, 143, 0},   {48, 111, 176, 0},
    {223, 223, 0, 0},   {0, 176, 0, 0},     {255, 143, 80, 0},  {255, 255, 255, 0},
    {143, 143, 143, 0}, {192, 159, 79, 0},  {192, 159, 255, 0}, {255, 207, 127, 0},
    {159, 255, 127, 0}, {255, 255, 159, 0}, {0, 255, 255, 0},   {255, 143, 192, 0},
    {160, 96, 0, 0},    {239, 239, 239, 0},
};

void BuildPaletteEntries(PalEntry entries[256]) {
    for (int i = 0; i < ColourCount; ++i)
        entries[i] = {ColourTable[i].red, ColourTable[i].green, ColourTable[i].blue,
                      PaletteReserved};
    for (int i = ColourCount; i < 255; ++i)
        entries[i] = {0, 0, 0, 0};
    entries[255] = {255, 255, 255, 0};
}

int ParseShownPage(const uint8_t* file, size_t size, BitmapFileHeader& fileHeader,
                   MYBITMAPINFO& info, uint8_t* pixels) {
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    return ParsePage(file, size, palette, fileHeader, info, pixels);
}

void CopyPaletteToColourTable(const PalEntry entries[256], RgbQuad table[256]) {
    for (int i = 0; i < 256; ++i) {
        table[i].rgbRed = entries[i].red;
        table[i].rgbGreen = entries[i].green;
        table[i].rgbBlue = entries[i].blue;
    }
}

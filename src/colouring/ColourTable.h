// The 38 colours of the colour indices and the 256-entry display palette built from them.
#pragma once
#include <cstdint>

#include "page/PageFormat.h"

struct ColourEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t zero;
};

constexpr int ColourCount = 38;
extern const ColourEntry ColourTable[ColourCount];

constexpr uint8_t PaletteReserved = 1; // PC_RESERVED: the colours may be animated

// Entries 0-37 from the colour table (flag PC_RESERVED), 38-254 black, 255 white.
void BuildPaletteEntries(PalEntry entries[256]);

// Reads a page file held in memory as the program shows it (ParsePage with the display palette's
// entries, which a 1-bit page takes). 1 when loaded, 0 when refused.
int ParseShownPage(const uint8_t* file, size_t size, BitmapFileHeader& fileHeader,
                   MYBITMAPINFO& info, uint8_t* pixels);

// Copies red, green and blue of every palette entry into a page colour table; the fourth bytes
// stay.
void CopyPaletteToColourTable(const PalEntry entries[256], RgbQuad table[256]);

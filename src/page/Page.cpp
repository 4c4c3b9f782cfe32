// The page header records and buffer pointers.
#include "page/Page.h"

BitmapFileHeader bmfhead;
MYBITMAPINFO bmp;
uint8_t* lpDib;
uint8_t* lpDibClear;
uint8_t* lpPrintBuf;
PalEntry DisplayPalette[256];

// The texts of the page's developer dumps: its colour table, its first bytes and its headers.
#pragma once
#include <cstddef>
#include <cstdint>

#include "page/PageFormat.h"

constexpr size_t DumpTextSize = 1024;

// One box of the colour-table dump: entries group .. group + 63 as red, green and blue. Returns the
// length.
int FormatColourGroup(char* out, size_t size, const RgbQuad colours[256], int group);
// One box of the page-bytes dump: bytes group .. group + 59. Returns the length.
int FormatByteGroup(char* out, size_t size, const uint8_t* bytes, int group);
// The page's file header and info header as the developer dialog shows them. Returns the length.
int FormatPageHeader(char* out, size_t size, const BitmapFileHeader& file,
                     const BitmapInfoHeader& info);

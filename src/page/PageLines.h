// A page's lines as one byte a pixel (660 x 460, top row first, 1 on a line): read from a page
// held in memory, and written as the bytes of a 1-bit page file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The outline pixels of a page held in memory (colour indices, bottom row first).
std::vector<uint8_t> PageOutline(const uint8_t* pixels);

// The outline of a page file held in memory; false when it is not a page.
bool PageFileOutline(const uint8_t* file, size_t size, std::vector<uint8_t>& lines);

// The bytes of a 1-bit page file of the lines, with the blank flag 1, as the shipped pages are.
std::vector<uint8_t> MonoPageFile(const std::vector<uint8_t>& lines);

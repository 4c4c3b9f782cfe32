// Images with their size: a mask or grey levels (one byte a pixel) and colour (three), their
// connected parts, scaling by area, turning as a photo's orientation asks, and what a photo file's
// own bytes say (its orientation, whether it is HEIF).
#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// One byte a pixel, top row first: a mask (1 on, 0 off) or grey levels.
struct Mask {
    int width = 0, height = 0;
    std::vector<uint8_t> px;
    Mask() = default;
    Mask(int w, int h, uint8_t value = 0) : width(w), height(h), px(size_t(w) * h, value) {}
    Mask(int w, int h, std::vector<uint8_t> pixels) : width(w), height(h), px(std::move(pixels)) {}
    size_t size() const { return px.size(); }
    uint8_t& operator[](size_t i) { return px[i]; }
    uint8_t operator[](size_t i) const { return px[i]; }
    auto begin() { return px.begin(); }
    auto end() { return px.end(); }
    auto begin() const { return px.begin(); }
    auto end() const { return px.end(); }
    uint8_t* data() { return px.data(); }
    const uint8_t* data() const { return px.data(); }
    bool operator==(const Mask&) const = default;
};

// Red, green and blue a pixel, top row first.
struct RgbImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// A rectangle of pixels, edges included.
struct PixelBox {
    int left, top, right, bottom;
};

// Labels the groups of a mask's non-zero pixels (4- or 8-connected), in reading order of their
// first pixels, and -1 elsewhere; with their sizes and boxes.
void LabelGroups(const Mask& member, bool eight, std::vector<int32_t>& label,
                 std::vector<int32_t>& size, std::vector<PixelBox>& box);

// The grey level of a red-green-blue pixel, as the eye weighs the three.
inline int GreyLevel(const uint8_t* rgb) {
    return (299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000;
}

// Each value made the largest within r pixels of it across and down (a square), values 0 or more.
void MaxAround(std::vector<float>& values, int width, int height, int r);

// The image scaled to width x height, each pixel the average of the area it covers.
RgbImage ScaleByArea(const RgbImage& image, int width, int height);

// The rows of pixels of 4 channels (blue-green-red-alpha, laid on white), 3 (blue-green-red) or 1
// (grey) added into a running sum of an image shrunk by whole factors: sums[] holds, per output
// pixel, red, green, blue and the count of pixels added. Rows from top, width pixels wide.
void AddShrunkRows(const uint8_t* pixels, size_t stride, int width, int rows, int top, int channels,
                   int factor, int outWidth, std::vector<uint32_t>& sums);
RgbImage FromShrunkSums(const std::vector<uint32_t>& sums, int outWidth, int outHeight);

// A photo file's orientation (the EXIF tag, 1 to 8; 1 upright) from its bytes: JPEG's APP1, in
// either byte order. 1 when there is none or it cannot be read.
int PhotoOrientation(const uint8_t* bytes, size_t size);

// Turns and mirrors the image so that a photo stored with that orientation stands upright.
RgbImage Upright(RgbImage image, int orientation);
Mask Upright(Mask image, int orientation);

// Whether the bytes are a HEIF file (a phone's HEIC photo): an ISO box 'ftyp' of a HEIF brand.
bool IsHeif(const uint8_t* bytes, size_t size);

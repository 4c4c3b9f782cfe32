// Connected parts, scaling by area, shrinking while decoding, a photo's orientation and format.
#include "image/Image.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct Step {
    int x, y;
};

// The steps from a pixel to its neighbours: the four beside it, then the four at its corners.
constexpr Step Around[] = {
    {-1, 0},  {1, 0},  {0, -1}, {0, 1}, // beside
    {-1, -1}, {1, -1}, {-1, 1}, {1, 1}, // at the corners
};

// One row added into its output row: each output pixel takes its run of factor pixels, the last one
// all that is left, with no division by the factor for each pixel. An opaque pixel laid on white is
// itself, so only blue-green-red-alpha pays for the laying.
template <int Channels>
void AddShrunkRow(const uint8_t* p, int width, int factor, int outWidth, uint32_t* out) {
    for (int o = 0, x = 0; o < outWidth && x < width; ++o, out += 4) {
        const int end = o == outWidth - 1 ? width : std::min(width, x + factor);
        uint32_t red = 0, green = 0, blue = 0;
        for (out[3] += uint32_t(end - x); x < end; ++x, p += Channels) {
            if constexpr (Channels == 1) {
                red += p[0], green += p[0], blue += p[0];
            } else if constexpr (Channels == 3) {
                red += p[2], green += p[1], blue += p[0];
            } else {
                const uint32_t a = p[3], white = 255 * (255 - a);
                red += (p[2] * a + white) / 255, green += (p[1] * a + white) / 255,
                    blue += (p[0] * a + white) / 255;
            }
        }
        out[0] += red, out[1] += green, out[2] += blue;
    }
}

} // namespace

// Plain pointers: a debug build's vectors are slow here.
void LabelGroups(const Mask& member, bool eight, std::vector<int32_t>& label,
                 std::vector<int32_t>& size, std::vector<PixelBox>& box) {
    label.assign(member.size(), -1);
    size.clear();
    box.clear();
    const int width = member.width, height = member.height;
    std::vector<int32_t> stack(member.size()); // each pixel goes on it once at most
    const uint8_t* in = member.px.data();
    int32_t *at = label.data(), *pending = stack.data();
    const Step* const last = eight ? std::end(Around) : Around + 4;
    for (int32_t start = 0; start < int32_t(member.size()); ++start) {
        if (!in[start] || at[start] >= 0)
            continue;
        const int32_t id = int32_t(size.size());
        PixelBox b{start % width, start / width, start % width, start / width};
        int32_t count = 0;
        at[start] = id;
        size_t top = 0;
        pending[top++] = start;
        while (top) {
            const int32_t p = pending[--top], x = p % width, y = p / width;
            ++count;
            b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x),
                 std::max(b.bottom, y)};
            for (const Step* step = Around; step != last; ++step) {
                const int qx = x + step->x, qy = y + step->y;
                if (qx < 0 || qy < 0 || qx >= width || qy >= height)
                    continue;
                const int32_t q = qy * width + qx;
                if (in[q] && at[q] < 0) {
                    at[q] = id;
                    pending[top++] = q;
                }
            }
        }
        size.push_back(count);
        box.push_back(b);
    }
}

RgbImage ScaleByArea(const RgbImage& in, int width, int height) {
    RgbImage out{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
    const double sx = double(in.width) / width, sy = double(in.height) / height;
    std::vector<double> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0.0);
        const double y0 = y * sy, y1 = (y + 1) * sy;
        for (int iy = int(y0); iy < in.height && iy < y1; ++iy) {
            const double wy = std::min(y1, iy + 1.0) - std::max(y0, double(iy));
            const uint8_t* src = in.rgb.data() + size_t(iy) * in.width * 3;
            for (int x = 0; x < width; ++x) {
                const double x0 = x * sx, x1 = (x + 1) * sx;
                for (int ix = int(x0); ix < in.width && ix < x1; ++ix) {
                    const double w = wy * (std::min(x1, ix + 1.0) - std::max(x0, double(ix)));
                    for (int c = 0; c < 3; ++c)
                        row[size_t(x) * 3 + c] += w * src[size_t(ix) * 3 + c];
                }
            }
        }
        for (size_t i = 0; i < row.size(); ++i)
            out.rgb[size_t(y) * width * 3 + i] =
                uint8_t(std::clamp(row[i] / (sx * sy) + 0.5, 0.0, 255.0));
    }
    return out;
}

void AddShrunkRows(const uint8_t* pixels, size_t stride, int width, int rows, int top, int channels,
                   int factor, int outWidth, std::vector<uint32_t>& sums) {
    const auto row = channels == 1   ? AddShrunkRow<1>
                     : channels == 3 ? AddShrunkRow<3>
                                     : AddShrunkRow<4>;
    for (int y = 0; y < rows; ++y)
        row(pixels + size_t(y) * stride, width, factor, outWidth,
            sums.data() + size_t((top + y) / factor) * outWidth * 4);
}

RgbImage FromShrunkSums(const std::vector<uint32_t>& sums, int outWidth, int outHeight) {
    RgbImage image{outWidth, outHeight, std::vector<uint8_t>(size_t(outWidth) * outHeight * 3)};
    for (size_t i = 0; i < size_t(outWidth) * outHeight; ++i) {
        const uint32_t n = std::max(sums[i * 4 + 3], 1u);
        for (int c = 0; c < 3; ++c)
            image.rgb[i * 3 + c] = uint8_t((sums[i * 4 + c] + n / 2) / n);
    }
    return image;
}

int PhotoOrientation(const uint8_t* b, size_t size) {
    if (size < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return 1;
    size_t at = 2;
    while (at + 4 <= size && b[at] == 0xFF) {
        const uint8_t marker = b[at + 1];
        const size_t length = size_t(b[at + 2]) << 8 | b[at + 3];
        if (marker == 0xDA || marker == 0xD9 || length < 2 || at + 2 + length > size)
            return 1;
        const uint8_t* s = b + at + 4;
        const size_t n = length - 2;
        if (marker == 0xE1 && n >= 14 && !std::memcmp(s, "Exif\0\0", 6)) {
            const uint8_t* t = s + 6; // the TIFF header: byte order, 42, the first IFD's offset
            const size_t tn = n - 6;
            const bool big = t[0] == 'M';
            const auto u16 = [&](size_t o) {
                return o + 2 > tn ? 0u
                       : big      ? unsigned(t[o]) << 8 | t[o + 1]
                                  : t[o] | unsigned(t[o + 1]) << 8;
            };
            const auto u32 = [&](size_t o) {
                return size_t(u16(o + (big ? 0 : 2))) << 16 | u16(o + (big ? 2 : 0));
            };
            if ((t[0] != 'M' && t[0] != 'I') || u16(2) != 42)
                return 1;
            const size_t ifd = u32(4);
            for (unsigned i = 0, count = u16(ifd); i < count; ++i) {
                const size_t entry = ifd + 2 + size_t(i) * 12;
                if (entry + 12 > tn)
                    return 1;
                if (u16(entry) == 0x0112) {
                    const unsigned value = u16(entry + 8);
                    return u16(entry + 2) == 3 && value >= 1 && value <= 8 ? int(value) : 1;
                }
            }
            return 1;
        }
        at += 2 + length;
    }
    return 1;
}

namespace {

// Where the stored pixel that shows at (x, y) lies, in pixels: start + x * acrossStep + y *
// downStep.
struct Walk {
    int64_t start, acrossStep, downStep;
};
Walk WalkFor(int orientation, int64_t w, int64_t h) {
    switch (orientation) {
    case 2: // mirrored
        return {w - 1, -1, w};
    case 3: // a half turn
        return {h * w - 1, -1, -w};
    case 4:
        return {(h - 1) * w, 1, -w};
    case 5:
        return {0, w, 1};
    case 6: // a quarter turn clockwise shows it upright
        return {(h - 1) * w, -w, 1};
    case 7:
        return {h * w - 1, -w, -1};
    case 8: // a quarter turn anticlockwise
        return {w - 1, w, -1};
    default:
        return {0, 1, w};
    }
}

// The pixels of w x h, of Channels bytes each, as they show when stored with that orientation;
// taken in tiles, so that a quarter turn reads the stored rows a few cache lines at a time.
template <int Channels>
std::vector<uint8_t> Turned(const std::vector<uint8_t>& in, int w, int h, int orientation) {
    const bool across = orientation >= 5 && orientation <= 8; // width and height swap
    const int ow = across ? h : w, oh = across ? w : h, tile = 64;
    const Walk walk = WalkFor(orientation, w, h);
    std::vector<uint8_t> out(in.size());
    for (int ty = 0; ty < oh; ty += tile)
        for (int tx = 0; tx < ow; tx += tile)
            for (int y = ty; y < std::min(oh, ty + tile); ++y) {
                const uint8_t* from =
                    in.data() + (walk.start + tx * walk.acrossStep + y * walk.downStep) * Channels;
                uint8_t* to = out.data() + (size_t(y) * ow + tx) * Channels;
                for (int x = tx; x < std::min(ow, tx + tile);
                     ++x, from += walk.acrossStep * Channels)
                    for (int c = 0; c < Channels; ++c)
                        *to++ = from[c];
            }
    return out;
}

bool Across(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

} // namespace

// Taken by value, so that an image stored upright is handed back without a copy (a 48 MB copy took
// a sixth of a second under Wine).
RgbImage Upright(RgbImage in, int orientation) {
    if (orientation < 2 || orientation > 8)
        return in;
    const bool across = Across(orientation);
    return {across ? in.height : in.width, across ? in.width : in.height,
            Turned<3>(in.rgb, in.width, in.height, orientation)};
}

Mask Upright(Mask in, int orientation) {
    if (orientation < 2 || orientation > 8)
        return in;
    const bool across = Across(orientation);
    return Mask(across ? in.height : in.width, across ? in.width : in.height,
                Turned<1>(in.px, in.width, in.height, orientation));
}

bool IsHeif(const uint8_t* b, size_t size) {
    if (size < 16 || std::memcmp(b + 4, "ftyp", 4))
        return false;
    const size_t box =
        std::min(size, size_t(b[0]) << 24 | size_t(b[1]) << 16 | size_t(b[2]) << 8 | b[3]);
    static const char* const brands[] = {"heic", "heix", "hevc", "hevx",
                                         "heim", "heis", "mif1", "msf1"};
    // The major brand, then the compatible ones after the minor version.
    for (size_t at = 8; at + 4 <= box; at += at == 8 ? 8 : 4)
        for (const char* brand : brands)
            if (!std::memcmp(b + at, brand, 4))
                return true;
    return false;
}

void MaxAround(std::vector<float>& v, int w, int h, int r) {
    // Along one direction: lines of length values, step apart, each line the next one apart.
    const auto along = [r](const float* in, float* out, int lines, int length, size_t line,
                           size_t step) {
        for (int l = 0; l < lines; ++l)
            for (int i = 0; i < length; ++i) {
                float m = 0;
                for (int k = std::max(0, i - r); k <= std::min(length - 1, i + r); ++k)
                    m = std::max(m, in[l * line + k * step]);
                out[l * line + i * step] = m;
            }
    };
    std::vector<float> t(v.size());
    along(v.data(), t.data(), h, w, size_t(w), 1); // across
    along(t.data(), v.data(), w, h, 1, size_t(w)); // then down
}

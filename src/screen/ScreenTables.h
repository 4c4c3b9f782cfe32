// Fixed screen data: the frame's shapes and the two colour-button discs as byte lists.
#pragma once
#include <cstddef>
#include <cstdint>

enum class ShapeKind : uint8_t { Polyline, FilledPolygon };
enum class ShapePen : uint8_t { Black, White, Grey, LightGrey };

struct ShapePoint {
    int16_t x;
    int16_t y;
};

// One shape of the frame in window coordinates. A polyline paints every point of its segments but
// its very last one; a filled polygon is closed, outlined with its pen and filled with the brush.
struct FrameShape {
    ShapeKind kind;
    ShapePen pen;
    int16_t count;
    ShapePoint points[5];
};

constexpr int FrameShapeCount = 23;
extern const FrameShape FrameShapes[FrameShapeCount];

// A disc in button coordinates (0-44): a non-zero byte is the x of one pixel on the current row, a
// zero byte ends that row and moves on to the next one.
struct DiscList {
    const uint8_t* bytes;
    int length;
    int firstRow;
};

constexpr int SmallDiscLength = 370;  // rows 12-32, 349 pixels
constexpr int LargeDiscLength = 1240; // rows 3-41, 1,201 pixels
extern const DiscList SmallDisc;
extern const DiscList LargeDisc;

// Calls visit(x, y) for every pixel of the disc, in list order.
template <typename Visit> void WalkDisc(const DiscList& disc, Visit visit) {
    int row = disc.firstRow;
    for (int i = 0; i < disc.length; ++i) {
        if (disc.bytes[i] == 0)
            ++row;
        else
            visit(int(disc.bytes[i]), row);
    }
}

// The frame's 23 shapes and the two disc byte lists, built at compile time from their row runs.
#include "screen/ScreenTables.h"

#include <array>

namespace {

using enum ShapeKind;
using enum ShapePen;

} // namespace

// Seen from the window's edge inwards: a black border, a raised bevel, the light grey button panel,
// a sunken bevel and a black border round the picture well. Later shapes never overlap earlier
// ones, but the pens are grouped so that each is selected once.
const FrameShape FrameShapes[FrameShapeCount] = {
    {Polyline, Black, 5, {{0, 0}, {799, 0}, {799, 599}, {0, 599}, {0, 0}}},
    {Polyline, Black, 5, {{1, 1}, {798, 1}, {798, 598}, {1, 598}, {1, 1}}},
    {Polyline, Black, 5, {{2, 2}, {797, 2}, {797, 597}, {2, 597}, {2, 2}}},
    {Polyline, Black, 5, {{66, 66}, {733, 66}, {733, 533}, {66, 533}, {66, 66}}},
    {Polyline, Black, 5, {{67, 67}, {732, 67}, {732, 532}, {67, 532}, {67, 67}}},
    {Polyline, Black, 5, {{68, 68}, {731, 68}, {731, 531}, {68, 531}, {68, 68}}},
    {Polyline, Black, 5, {{69, 69}, {730, 69}, {730, 530}, {69, 530}, {69, 69}}},
    {Polyline, White, 3, {{3, 596}, {3, 3}, {797, 3}}},
    {Polyline, White, 3, {{4, 595}, {4, 4}, {796, 4}}},
    {Polyline, White, 3, {{5, 594}, {5, 5}, {795, 5}}},
    {Polyline, White, 3, {{736, 63}, {736, 536}, {63, 536}}},
    {Polyline, White, 3, {{735, 64}, {735, 535}, {64, 535}}},
    {Polyline, White, 3, {{734, 65}, {734, 534}, {65, 534}}},
    {Polyline, Grey, 3, {{796, 4}, {796, 596}, {3, 596}}},
    {Polyline, Grey, 3, {{795, 5}, {795, 595}, {4, 595}}},
    {Polyline, Grey, 3, {{794, 6}, {794, 594}, {5, 594}}},
    {Polyline, Grey, 3, {{63, 536}, {63, 63}, {736, 63}}},
    {Polyline, Grey, 3, {{64, 535}, {64, 64}, {735, 64}}},
    {Polyline, Grey, 3, {{65, 534}, {65, 65}, {734, 65}}},
    {FilledPolygon, LightGrey, 4, {{6, 6}, {793, 6}, {793, 62}, {6, 62}}},
    {FilledPolygon, LightGrey, 4, {{6, 63}, {62, 63}, {62, 536}, {6, 536}}},
    {FilledPolygon, LightGrey, 4, {{6, 537}, {793, 537}, {793, 593}, {6, 593}}},
    {FilledPolygon, LightGrey, 4, {{737, 63}, {793, 63}, {793, 536}, {737, 536}}},
};

namespace {

// Rows firstRow-lastRow of a disc, each one unbroken run from firstX to lastX.
struct DiscRun {
    int firstRow;
    int lastRow;
    int firstX;
    int lastX;
};

constexpr DiscRun SmallRuns[] = {
    {12, 12, 19, 25}, {13, 13, 17, 27}, {14, 14, 16, 28}, {15, 15, 15, 29}, {16, 16, 14, 30},
    {17, 18, 13, 31}, {19, 25, 12, 32}, {26, 27, 13, 31}, {28, 28, 14, 30}, {29, 29, 15, 29},
    {30, 30, 16, 28}, {31, 31, 17, 27}, {32, 32, 19, 25},
};

constexpr DiscRun LargeRuns[] = {
    {3, 3, 18, 26},   {4, 4, 15, 29},   {5, 5, 13, 31},   {6, 6, 11, 33},   {7, 7, 10, 34},
    {8, 8, 9, 35},    {9, 9, 8, 36},    {10, 10, 7, 37},  {11, 12, 6, 38},  {13, 14, 5, 39},
    {15, 17, 4, 40},  {18, 26, 3, 41},  {27, 29, 4, 40},  {30, 31, 5, 39},  {32, 33, 6, 38},
    {34, 34, 7, 37},  {35, 35, 8, 36},  {36, 36, 9, 35},  {37, 37, 10, 34}, {38, 38, 11, 33},
    {39, 39, 13, 31}, {40, 40, 15, 29}, {41, 41, 18, 26},
};

// The list length the runs make: one byte per pixel and one ending each row. Zero when the runs
// leave a gap between rows or hold an x of 0, which the list cannot express.
template <size_t RunCount> constexpr int DiscBytes(const DiscRun (&runs)[RunCount]) {
    int length = 0;
    for (size_t i = 0; i < RunCount; ++i) {
        const DiscRun& run = runs[i];
        if ((i > 0 && run.firstRow != runs[i - 1].lastRow + 1) || run.firstX < 1)
            return 0;
        length += (run.lastRow - run.firstRow + 1) * (run.lastX - run.firstX + 2);
    }
    return length;
}

template <int Length, size_t RunCount>
constexpr std::array<uint8_t, Length> BuildDisc(const DiscRun (&runs)[RunCount]) {
    std::array<uint8_t, Length> bytes{};
    size_t at = 0;
    for (const DiscRun& run : runs)
        for (int row = run.firstRow; row <= run.lastRow; ++row) {
            for (int x = run.firstX; x <= run.lastX; ++x)
                bytes[at++] = uint8_t(x);
            bytes[at++] = 0;
        }
    return bytes;
}

static_assert(DiscBytes(SmallRuns) == SmallDiscLength);
static_assert(DiscBytes(LargeRuns) == LargeDiscLength);

constexpr std::array<uint8_t, SmallDiscLength> SmallBytes = BuildDisc<SmallDiscLength>(SmallRuns);
constexpr std::array<uint8_t, LargeDiscLength> LargeBytes = BuildDisc<LargeDiscLength>(LargeRuns);

} // namespace

const DiscList SmallDisc = {SmallBytes.data(), SmallDiscLength, SmallRuns[0].firstRow};
const DiscList LargeDisc = {LargeBytes.data(), LargeDiscLength, LargeRuns[0].firstRow};

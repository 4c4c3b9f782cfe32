// The two colour-button discs walked from their byte lists, and the frame's shapes in their pen
// groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "screen/ScreenTables.h"

namespace {

TEST(Discs, ListsHoldTheirRowsAsUnbrokenSymmetricRuns) {
    struct Want {
        const DiscList* disc;
        int length, pixels, firstRow, lastRow;
    };
    for (const Want& want :
         {Want{&SmallDisc, 370, 349, 12, 32}, Want{&LargeDisc, 1240, 1201, 3, 41}}) {
        std::set<std::pair<int, int>> points;
        int pixels = 0, firstRow = 99, lastRow = -1;
        WalkDisc(*want.disc, [&](int x, int y) {
            ++pixels;
            points.insert({x, y});
            firstRow = std::min(firstRow, y);
            lastRow = std::max(lastRow, y);
        });
        EXPECT_EQ(want.length, want.disc->length);
        EXPECT_EQ(0, want.disc->bytes[want.disc->length - 1])
            << "ends with the zero of its last row";
        EXPECT_EQ(want.pixels, pixels);
        EXPECT_EQ(want.pixels, int(points.size())) << "a pixel listed twice";
        EXPECT_EQ(want.firstRow, firstRow);
        EXPECT_EQ(want.lastRow, lastRow);
        // Centred on (22, 22): mirrored both ways, and every row one run through the centre column.
        for (const auto& [x, y] : points) {
            EXPECT_TRUE(points.count({44 - x, y}) && points.count({x, 44 - y})) << x << "," << y;
            for (int between = std::min(x, 22); between <= std::max(x, 22); ++between)
                EXPECT_TRUE(points.count({between, y})) << between << "," << y;
        }
    }
}

TEST(Frame, ShapesComeInPenGroupsInTheirOrder) {
    // 7 black rectangles, 6 white and 6 grey bevel lines, then the 4 light grey panels.
    const ShapePen pens[] = {ShapePen::Black, ShapePen::White, ShapePen::Grey, ShapePen::LightGrey};
    const int groupEnds[] = {7, 13, 19, 23};
    int group = 0;
    for (int i = 0; i < FrameShapeCount; ++i) {
        group += i == groupEnds[group];
        EXPECT_EQ(pens[group], FrameShapes[i].pen) << "shape " << i + 1;
        EXPECT_EQ(group == 3, FrameShapes[i].kind == ShapeKind::FilledPolygon) << "shape " << i + 1;
        EXPECT_EQ(group == 0 ? 5 : group == 3 ? 4 : 3, FrameShapes[i].count) << "shape " << i + 1;
    }
}

} // namespace

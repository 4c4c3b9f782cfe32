// The colour-button discs: round, centred on (22, 22), one unbroken run a row, the small inside the
// large.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "screen/ScreenTables.h"

TEST(Discs, AreRoundRunsCentredOnTheButtonAndNested) {
    std::set<std::pair<int, int>> discs[2];
    WalkDisc(SmallDisc, [&](int x, int y) { EXPECT_TRUE(discs[0].insert({x, y}).second); });
    WalkDisc(LargeDisc, [&](int x, int y) { EXPECT_TRUE(discs[1].insert({x, y}).second); });
    for (const auto& disc : discs)
        for (const auto& [x, y] : disc) {
            EXPECT_TRUE(disc.count({44 - x, y}) && disc.count({x, 44 - y}) && disc.count({y, x}))
                << x << "," << y;
            EXPECT_TRUE(disc.count({x + (x < 22) - (x > 22), y})) << x << "," << y;
            EXPECT_TRUE(discs[1].count({x, y}));
        }
    EXPECT_LT(discs[0].size(), discs[1].size());
}

// The clearing wipe on a scripted clock: its 94 bands, pace, sounds, result, memory, refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "colouring/Fill.h"
#include "colouring/PointQueue.h"
#include "colouring/Wipe.h"

namespace {

constexpr int W = StdPageWidth, H = StdPageHeight;

// A clock moving 1 ms per reading. Records frame ticks and sounds ("P7", "L6", "S", "|" a frame),
// and per frame how far the wave has reached down the start column.
struct WipeHost : AnimationHost {
    uint32_t clock = 5000;
    std::vector<uint32_t> frameTicks;
    std::vector<int> columnReached;
    std::string sounds;
    int pumps = 0;
    PageView map{nullptr, W, H};
    long unreachedAfterBand93 = -1;
    uint32_t Tick() override { return clock++; }
    void ShowPage() override {
        frameTicks.push_back(clock - 1);
        sounds += '|';
        if (!map.pixels)
            return;
        columnReached.push_back(0);
        for (int y = WipeStartY + 1; y < H; ++y)
            columnReached.back() += map.At(WipeStartX, y) == 37;
        if (frameTicks.size() == 93)
            unreachedAfterBand93 = W * H - std::count(map.pixels, map.pixels + W * H, 37);
    }
    void PumpMessage() override { ++pumps; }
    void PlayEffect(int n) override { sounds += "P" + std::to_string(n); }
    void LoopEffect(int n) override { sounds += "L" + std::to_string(n); }
    void StopEffect() override { sounds += 'S'; }
};

long allocations = 0, allocationsLeft = -1;
void* CountingAlloc(size_t size) {
    if (allocationsLeft == 0)
        return nullptr;
    allocationsLeft -= allocationsLeft > 0;
    ++allocations;
    return std::malloc(size);
}

// A frame and a closed box of outline around the start point; paint colours 1-36 and blank in
// diagonal stripes.
std::vector<uint8_t> ColouredPage() {
    std::vector<uint8_t> pixels(size_t(W) * H);
    const PageView page{pixels.data(), W, H};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool box = (x == 320 || x == 340 || y == 220 || y == 240) && x >= 320 &&
                             x <= 340 && y >= 220 && y <= 240;
            const bool border = x == 0 || y == 0 || x == W - 1 || y == H - 1;
            page.At(x, y) = border || box ? OutlineIndex : uint8_t(1 + (x + y) / 7 % 37);
        }
    return pixels;
}

class Wipe : public ::testing::Test {
  protected:
    void SetUp() override { allocations = 0, allocationsLeft = -1, pointNodeAlloc = CountingAlloc; }
    void TearDown() override {
        pointNodeAlloc = std::malloc;
        EXPECT_FALSE(AnimationRunning);
    }
};

TEST_F(Wipe, BlanksTheWholePictureIn94PacedBandsKeepingTheOutline) {
    std::vector<uint8_t> pixels = ColouredPage();
    const std::vector<uint8_t> before = pixels;
    // Left over from a print layout: a map already marked everywhere would stop the wave at once.
    std::vector<uint8_t> visited(size_t(W) * H, 37);
    WipeHost host;
    host.map.pixels = visited.data();
    ASSERT_EQ(1, WipePictureCore({pixels.data(), W, H}, visited.data(), host));

    ASSERT_EQ(95u, host.frameTicks.size()); // 94 bands and the final drawing
    EXPECT_EQ(94, host.pumps);
    EXPECT_EQ(303601, allocations); // every pixel once, the start point twice
    for (size_t k = 0; k < 94; ++k)
        EXPECT_EQ(5000u + 30 * (k + 1), host.frameTicks[k]) << k;
    // Bands end at (330, 236), (330, 242) ... down the start column: processing each such point
    // reaches the pixel below it, which nothing else reaches earlier.
    for (int k = 1; k <= 38; ++k)
        EXPECT_EQ(6 * k + 1, host.columnReached[size_t(k - 1)]) << k;
    // After band 93 only the top-left corner, 560 rings out, is left for the last band.
    EXPECT_EQ(1, host.unreachedAfterBand93);
    // The loop starts at the first frame past 450 ms (frame 16, at 480 ms), stops after the last.
    EXPECT_EQ("P7" + std::string(15, '|') + "L6" + std::string(80, '|') + "S", host.sounds);
    for (size_t i = 0; i < pixels.size(); ++i)
        ASSERT_EQ(before[i] == OutlineIndex ? OutlineIndex : BlankIndex, pixels[i]) << i;
}

TEST_F(Wipe, RunningOutOfQueueNodesStopsTheWaveCleanly) {
    std::vector<uint8_t> pixels = ColouredPage();
    const std::vector<uint8_t> before = pixels;
    std::vector<uint8_t> visited(size_t(W) * H);
    WipeHost host;
    allocationsLeft = 100000; // the start point's node and 99,999 reached pixels, then none
    EXPECT_EQ(0, WipePictureCore({pixels.data(), W, H}, visited.data(), host));
    long reached = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const bool hit = visited[i] == 37;
        reached += hit;
        ASSERT_EQ(hit && before[i] != OutlineIndex ? BlankIndex : before[i], pixels[i]) << i;
    }
    EXPECT_EQ(99999, reached);
    EXPECT_EQ(1, std::count(host.sounds.begin(), host.sounds.end(), 'L'));
    EXPECT_EQ("|S", host.sounds.substr(host.sounds.size() - 2)); // stopped after the last drawing
}

TEST_F(Wipe, RefusesPagesItCannotCoverUntouched) {
    std::vector<uint8_t> pixels(700 * 500, 3), visited(700 * 500, 9);
    WipeHost host;
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{
             {659, 460}, {660, 459}, {661, 460}, {660, 461}, {331, 231}, {200, 100}, {0, 0}})
        EXPECT_EQ(0, WipePictureCore({pixels.data(), w, h}, visited.data(), host)) << w << "x" << h;
    EXPECT_EQ(0, WipePictureCore({pixels.data(), W, H}, nullptr, host));
    EXPECT_EQ(0, WipePictureCore({nullptr, W, H}, visited.data(), host));
    EXPECT_EQ("", host.sounds); // nothing played, nothing drawn
    EXPECT_EQ(pixels, std::vector<uint8_t>(700 * 500, 3));
    EXPECT_EQ(visited, std::vector<uint8_t>(700 * 500, 9));
}

} // namespace

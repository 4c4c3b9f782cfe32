// Fill and wipe on a scripted clock (pace, sounds, walls, results, memory, nesting); random pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "colouring/Fill.h"
#include "colouring/PointQueue.h"
#include "colouring/Wipe.h"

namespace {

// The design's standard page, its blank and outline indices, and the wipe's start (its centre).
constexpr int W = 660, H = 460, StartX = 330, StartY = 230;
constexpr uint8_t Blank = 37, Outline = 0;

// A clock moving pace hundredths of a millisecond per reading. Frames record the points pumped
// before them and their tick; sounds are "P<n>", "L<n>", "S" and "|" for each frame.
struct Host : AnimationHost {
    uint32_t start = 1000, lastTick = 0;
    uint64_t pace = 100, reads = 0;
    int pumps = 0;
    std::vector<std::pair<int, uint32_t>> frames;
    std::string sounds;
    std::function<void()> onPump = [] {}, onFrame = [] {};
    uint32_t Tick() override { return lastTick = uint32_t(start + reads++ * pace / 100); }
    void ShowPage() override { frames.push_back({pumps, lastTick}), sounds += '|', onFrame(); }
    void PumpMessage() override { ++pumps, onPump(); }
    void PlayEffect(int n) override { sounds += "P" + std::to_string(n); }
    void LoopEffect(int n) override { sounds += "L" + std::to_string(n); }
    void StopEffect() override { sounds += 'S'; }
};

// A page from rows of text: '#' outline, '.' blank, 'a', 'b' ... paint colours 1, 2 ...
struct TestPage {
    int w, h;
    std::vector<uint8_t> px;
    TestPage(int width, int height, uint8_t v = Blank)
        : w(width), h(height), px(size_t(w) * h, v) {}
    explicit TestPage(const std::vector<std::string>& rows)
        : TestPage(int(rows[0].size()), int(rows.size())) {
        for (int i = 0; i < w * h; ++i) {
            const char c = rows[size_t(i / w)][size_t(i % w)];
            At(i % w, i / w) = c == '#' ? 0 : c == '.' ? Blank : uint8_t(c - 'a' + 1);
        }
    }
    PageView View() { return {px.data(), w, h}; }
    uint8_t& At(int x, int y) { return View().At(x, y); }
    long Count(uint8_t v) { return std::count(px.begin(), px.end(), v); }
};

long allocations = 0, allocationsLeft = -1; // -1: never fail
void* CountingAlloc(size_t size) {
    if (allocationsLeft == 0)
        return nullptr;
    allocationsLeft -= allocationsLeft > 0, ++allocations;
    return std::malloc(size);
}

class Animation : public ::testing::Test {
  protected:
    void SetUp() override { allocations = 0, allocationsLeft = -1, pointNodeAlloc = CountingAlloc; }
    void TearDown() override {
        pointNodeAlloc = std::malloc;
        EXPECT_FALSE(AnimationRunning);
    }
};

TEST_F(Animation, FillFramesEvery501PointsAtLeast20msApartWithTheLoopSoundAfter450ms) {
    for (const uint32_t start : {1000u, 0xFFFFFF00u}) { // also across the tick count's wrap
        TestPage page(120, 120);                        // 14,401 points, 28 paced frames
        Host host;
        host.start = start;
        host.pace = 1; // 501 points take 5 ms: every frame has to wait
        ASSERT_EQ(1, FillRegionCore(page.View(), 60, 60, 9, host));
        ASSERT_EQ(29u, host.frames.size());
        for (size_t k = 0; k < 28; ++k)
            EXPECT_EQ(std::make_pair(int(501 * k + 500), uint32_t(start + 20 * k + 20)),
                      host.frames[k]);
        EXPECT_EQ(std::make_pair(14401, 14401),
                  std::make_pair(host.frames.back().first, host.pumps));
        // The opener the first tick picks; frame 23 (460 ms) is the first past 450 ms; stop last.
        EXPECT_EQ((start == 1000 ? "P1" : "P3") + std::string(22, '|') + "L5" +
                      std::string(7, '|') + "S",
                  host.sounds);
    }
}

TEST_F(Animation, FillOfASmallRegionDrawsOnceAndPlaysOnlyTheOpeningSound) {
    // 499 pixels (500 points) are drawn once; 500 pixels get a frame after the 501st point too;
    // an enclosed pixel keeps its colour, yet the opening sound plays. 10 ms a reading.
    const std::tuple<std::vector<std::string>, std::vector<std::pair<int, uint32_t>>, std::string>
        cases[] = {{{std::string(499, '.')}, {{500, 6010}}, "|"},
                   {{std::string(500, '.')}, {{500, 6020}, {501, 6020}}, "L5||S"},
                   {{"###", "#.#", "###"}, {{1, 1020}}, "|"}};
    for (const auto& [rows, frames, sounds] : cases) {
        TestPage page(rows);
        Host host;
        host.pace = 1000;
        ASSERT_EQ(1, FillRegionCore(page.View(), page.w / 2, page.h / 2, 2, host));
        EXPECT_EQ(frames, host.frames);
        EXPECT_EQ("P1" + sounds, host.sounds);
        EXPECT_EQ(page.w == 3 ? 0 : page.w, page.Count(2));
    }
}

TEST_F(Animation, FillStopsAtOutlinesWallsOfTheNewColourAndThePictureEdges) {
    // Blank and two other colours above a wall of the new colour (g), a walled-off area below it.
    TestPage page({"#######", "#..cd.#", "#.d.c.#", "#ggggg#", "#e.ec.#", "#######"});
    Host host;
    ASSERT_EQ(1, FillRegionCore(page.View(), 1, 1, 7, host));
    EXPECT_EQ(TestPage({"#######", "#ggggg#", "#ggggg#", "#ggggg#", "#e.ec.#", "#######"}).px,
              page.px);
    // In the buffer the last column of a row touches the first column of the row above.
    TestPage edges({"..#.", "..#.", "..#."});
    ASSERT_EQ(1, FillRegionCore(edges.View(), 3, 0, 7, host));
    ASSERT_EQ(1, FillRegionCore(edges.View(), 0, 0, 5, host));
    EXPECT_EQ(TestPage({"ee#g", "ee#g", "ee#g"}).px, edges.px);
}

TEST_F(Animation, RunningOutOfQueueNodesEndsAFillCleanly) {
    TestPage page(120, 120);
    Host none, late, again;
    allocationsLeft = 0; // not even the seed's node: nothing changes, the page is still drawn
    EXPECT_EQ(0, FillRegionCore(page.View(), 60, 60, 3, none));
    EXPECT_EQ(std::make_pair(0, size_t(1)), std::make_pair(none.pumps, none.frames.size()));
    EXPECT_EQ(14400, page.Count(Blank));
    // The 3,000th node fails after the loop sound started: 2,998 pixels took colour (the seed's
    // first node and the failed one give none), the last frame is drawn and the loop stopped.
    late.pace = 1000;
    allocationsLeft = 2999;
    EXPECT_EQ(0, FillRegionCore(page.View(), 60, 60, 3, late));
    EXPECT_EQ(2998, page.Count(3));
    EXPECT_NE(std::string::npos, late.sounds.find("L5|"));
    EXPECT_EQ("|S", late.sounds.substr(late.sounds.size() - 2));
    EXPECT_EQ(late.pumps, late.frames.back().first);
    // The page is consistent: a later fill finishes the region.
    allocationsLeft = -1;
    EXPECT_EQ(1, FillRegionCore(page.View(), 0, 0, 4, again));
    EXPECT_EQ(14400, page.Count(4));
}

TEST_F(Animation, NoFillOrWipeStartsInsideAnotherNorOffThePage) {
    TestPage page(30, 30), standard(W, H, 5);
    std::vector<uint8_t> visited(standard.px.size());
    Host host, inner;
    host.onPump = [&] {
        EXPECT_EQ(0, FillRegionCore(page.View(), 0, 0, 6, inner));
        EXPECT_EQ(0, WipePictureCore(standard.View(), visited.data(), inner));
    };
    ASSERT_EQ(1, FillRegionCore(page.View(), 15, 15, 3, host));
    EXPECT_EQ(900, page.Count(3));
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {30, 0}, {0, -1}, {0, 30}})
        EXPECT_EQ(0, FillRegionCore(page.View(), x, y, 4, inner));
    EXPECT_EQ(0, WipePictureCore(standard.View(), nullptr, inner)); // a wipe needs its map
    EXPECT_EQ(0, WipePictureCore(TestPage(W, H - 1).View(), visited.data(), inner));
    EXPECT_EQ("", inner.sounds); // nothing played, nothing drawn
    EXPECT_EQ(long(standard.px.size()), standard.Count(5));
}

TEST_F(Animation, WipeBlanksThePictureIn94PacedBandsKeepingTheOutlineOrStopsCleanly) {
    // A frame and a closed box of outline around the wipe's start; paint colours 1-36 and blank in
    // diagonal stripes. The map is left over from a print layout: marked everywhere, it would stop
    // the wave at once.
    TestPage page(W, H), visited(W, H, 37);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool box = std::max(std::abs(x - StartX), std::abs(y - StartY)) == 10;
            const bool border = x == 0 || y == 0 || x == W - 1 || y == H - 1;
            page.At(x, y) = border || box ? Outline : uint8_t(1 + (x + y) / 7 % 37);
        }
    const TestPage before = page;
    Host host;
    host.start = 5000;
    host.onPump = [&] { EXPECT_EQ(0, FillRegionCore(page.View(), 1, 1, 3, host)); }; // none inside
    std::vector<int> columnReached; // per frame, how far the wave is down the start column
    host.onFrame = [&] {
        columnReached.push_back(0);
        for (int y = StartY + 1; y < H; ++y)
            columnReached.back() += visited.At(StartX, y) == 37;
    };
    ASSERT_EQ(1, WipePictureCore(page.View(), visited.px.data(), host));
    ASSERT_EQ(95u, host.frames.size()); // 94 bands and the final drawing
    EXPECT_EQ(94, host.pumps);
    EXPECT_EQ(303601, allocations); // every pixel once, the start point twice
    for (size_t k = 0; k < 94; ++k)
        EXPECT_EQ(5000u + 30 * (k + 1), host.frames[k].second) << k;
    // Bands end at (330, 236), (330, 242) ... down the start column: processing each such point
    // reaches the pixel below it, which nothing else reaches earlier.
    for (int k = 1; k <= 38; ++k)
        EXPECT_EQ(6 * k + 1, columnReached[size_t(k - 1)]) << k;
    // The loop starts at the first frame past 450 ms (frame 16, at 480 ms), stops after the last.
    EXPECT_EQ("P7" + std::string(15, '|') + "L6" + std::string(80, '|') + "S", host.sounds);
    for (size_t i = 0; i < page.px.size(); ++i)
        ASSERT_EQ(before.px[i] == Outline ? Outline : Blank, page.px[i]) << i;

    // Out of queue nodes after the start point's and 99,999 more, the wave stops cleanly.
    Host short_;
    page = before, visited = TestPage(W, H, 0), allocationsLeft = 100000;
    EXPECT_EQ(0, WipePictureCore(page.View(), visited.px.data(), short_));
    for (size_t i = 0; i < page.px.size(); ++i)
        ASSERT_EQ(visited.px[i] == 37 && before.px[i] ? Blank : before.px[i], page.px[i]) << i;
    EXPECT_EQ(99999, visited.Count(37));
}

TEST_F(Animation, RandomPickTakesBits16To30OfOneStepFromTheTick) {
    // Known first values of seeds 0 and 1, two states hiding their top bit, a remainder, no range.
    const uint32_t cases[][3] = {
        {0, 32768, 38}, {1, 32768, 41}, {0x29E2C0u, 32768, 18467}, {0x18BE873Au, 32768, 26500},
        {1, 4, 41 % 4}, {1, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(int(c[2]), RandomBelowCore(c[0], int(c[1]))) << c[0] << " " << c[1];
}

} // namespace

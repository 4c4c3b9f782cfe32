// Measures start-up, a page step and a whole-page fill's pace; run by tests/tools/bench-fill.sh.
#include <cstdio>

#include "Fixture.h"

namespace e2e {
namespace {

using Benchmark = E2eTest;

// A fill draws a frame after every 501 points, each at least 20 ms after the one before. A page
// without outline is one region of 303,600 pixels, 303,601 points (the seed is processed twice):
// 605 frames.
constexpr double DesignFillMs = (303601 / 501) * 20.0;

// Waits for the title strip to show a page's title row; returns the milliseconds from `since`, or
// -1.
double TitleShownAfter(const Hueberry& app, int row, double since) {
    Image titles;
    if (!LoadProgramBitmap("Titles", titles))
        return -1;
    double shownAt = -1;
    WaitUntil(
        [&] {
            const Shot strip = app.GrabClient(330, 561, 140, 10);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 140; ++x)
                    if (!Near(strip.px[size_t(y) * 140 + x], titles.At(x, row * 10 + y)))
                        return false;
            shownAt = NowMs();
            return true;
        },
        10000, 1);
    return shownAt < 0 ? -1 : shownAt - since;
}

TEST_F(Benchmark, DISABLED_FillPace) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    const Page blank = BlankPage();
    ASSERT_TRUE(SavePage(dir_->File(PageFiles[0]), blank));
    const Page duck = ReadPage(1);

    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NE(WaitIntro(), nullptr);
    const double introMs = NowMs() - app_.StartedAtMs();
    ASSERT_NO_FATAL_FAILURE(CloseIntro(false));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(RunningScreen(blank, TitleRows[0], 2001), "blank page"));

    // One page step each way: key press to the new title strip, which the step draws last.
    double start = NowMs();
    PressKey(VK_NEXT);
    const double downMs = TitleShownAfter(app_, TitleRows[1], start);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(duck, 1));
    start = NowMs();
    PressKey(VK_PRIOR);
    const double upMs = TitleShownAfter(app_, TitleRows[0], start);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(blank, 0));

    // Fill from the top-left pixel: the bottom-right one is the last point of the spread and
    // appears with the final drawing, so its turning red marks the end of the fill.
    const POINT seed = app_.ToScreen(PageLeft, PageTop);
    const POINT last = app_.ToScreen(PageLeft + StdPageWidth - 1, PageTop + StdPageHeight - 1);
    ASSERT_TRUE(MoveTo(seed.x, seed.y));
    start = NowMs();
    ASSERT_TRUE(ClickAt(seed.x, seed.y));
    double endedAt = -1;
    WaitUntil(
        [&] {
            if (!Near(Grab(last.x, last.y, 1, 1).px[0], IndexRgb(2)))
                return false;
            endedAt = NowMs();
            return true;
        },
        int(DesignFillMs * 5), 5);
    ASSERT_GT(endedAt, 0) << "the fill did not reach the last pixel";
    const double fillMs = endedAt - start;
    Page red = blank;
    ApplyFill(red, 0, 0, 2);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(red, 0));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, ScreenTimeoutMs));

    std::printf("start to intro dialog: %.0f ms\n", introMs);
    std::printf("page step: Page Down %.0f ms, Page Up %.0f ms\n", downMs, upMs);
    std::printf("whole-page fill: %.0f ms measured, %.0f ms by design, pace ratio %.3f"
                " (design / measured; goal 0.98 to 1.00)\n",
                fillMs, DesignFillMs, DesignFillMs / fillMs);
    RecordProperty("intro_ms", int(introMs));
    RecordProperty("page_down_ms", int(downMs));
    RecordProperty("page_up_ms", int(upMs));
    RecordProperty("fill_ms", int(fillMs));
    ASSERT_NO_FATAL_FAILURE(Quit());
}

} // namespace
} // namespace e2e

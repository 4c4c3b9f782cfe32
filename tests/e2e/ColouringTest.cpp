// Colouring as a child does it: fills, colour picks, Clear, and what is kept on disk.
#include "Fixture.h"

namespace e2e {
namespace {

class Colouring : public E2eTest {
  protected:
    // bones.col as delivered, and regions of it small enough to fill quickly.
    void SetUpPage() {
        ASSERT_NO_FATAL_FAILURE(SeedDelivered());
        original_ = ReadPage(0);
        regions_ = FindRegions(original_, 1500, 25000);
        ASSERT_GE(regions_.size(), 2u) << "bones.col needs two regions of 1,500 to 25,000 pixels";
    }

    Page original_;
    std::vector<Region> regions_;
};

TEST_F(Colouring, ClicksFillExactlyTheirRegionAndQuitKeepsThem) {
    ASSERT_NO_FATAL_FAILURE(SetUpPage());
    Page expected = original_;
    ASSERT_NO_FATAL_FAILURE(StartRunning());

    // Clicks on the outline do nothing. Each is next to a blank pixel on a different side, so a
    // click landing one pixel off would fill a region; the exact comparison after the next fill
    // would show it. The first region to be filled is left out, as a fill there would be covered by
    // that fill.
    Page besides = expected;
    ApplyFill(besides, regions_[0].x, regions_[0].y, 2);
    for (const POINT side : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}}) {
        POINT edge;
        ASSERT_TRUE(FindOutlineBesideBlank(besides, side.x, side.y, edge));
        ASSERT_TRUE(app_.Click(PageLeft + edge.x, PageTop + edge.y));
    }

    ASSERT_NO_FATAL_FAILURE(
        Fill(expected, regions_[0].x, regions_[0].y, 2)); // red, selected at start

    PickColour(2010);
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(RunningScreen(expected, TitleRows[0], 2010),
                                         "large disc moved to button 2010"));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, regions_[1].x, regions_[1].y, 11));
    // A region of another paint colour is filled over as a whole.
    ASSERT_NO_FATAL_FAILURE(Fill(expected, regions_[0].x, regions_[0].y, 11));

    ASSERT_NO_FATAL_FAILURE(Quit());
    Page saved;
    ASSERT_TRUE(LoadPage(dir_->File(PageFiles[0]), saved));
    EXPECT_TRUE(saved.pixels == expected.pixels)
        << "the saved page differs from the screen's colouring";
    EXPECT_EQ(saved.file.bfReserved1, 0) << "a coloured page is saved with the blank flag cleared";

    // The next start opens the page with that colouring, and the selection is back on button 2001.
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(false));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(expected, TitleRows[0], 2001), "colouring after restart"));
    ASSERT_NO_FATAL_FAILURE(Quit());
}

TEST_F(Colouring, AltF4EndsWithoutSaving) {
    ASSERT_NO_FATAL_FAILURE(SetUpPage());
    std::vector<uint8_t> delivered;
    ASSERT_TRUE(ReadBytes(dir_->File(PageFiles[0]), delivered));
    Page expected = original_;
    ASSERT_NO_FATAL_FAILURE(StartRunning());
    ASSERT_NO_FATAL_FAILURE(Fill(expected, regions_[0].x, regions_[0].y, 2));

    PressAltF4();
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    std::vector<uint8_t> after;
    ASSERT_TRUE(ReadBytes(dir_->File(PageFiles[0]), after));
    EXPECT_TRUE(after == delivered) << "closing by the system must leave the page file untouched";
}

TEST_F(Colouring, ClearWipesTheColouringBackToBlank) {
    ASSERT_NO_FATAL_FAILURE(SetUpPage());
    ASSERT_GE(regions_.size(), 4u);
    // The screen model draws the page in its own colours: blank light grey, the outline black.
    ASSERT_EQ(original_.ColourOf(BlankIndex), Rgb(239, 239, 239));
    ASSERT_EQ(original_.ColourOf(OutlineIndex), Rgb(0, 0, 0));
    Page expected = original_;
    ASSERT_NO_FATAL_FAILURE(StartRunning());
    ASSERT_NO_FATAL_FAILURE(Fill(expected, regions_[0].x, regions_[0].y, 2));
    // Black paint is wiped like any other colour; the black outline stays.
    PickColour(2000);
    ASSERT_NO_FATAL_FAILURE(Fill(expected, regions_[1].x, regions_[1].y, 1));
    const HCURSOR edit = CurrentCursor(); // the pointer rests on the picture

    PressKey('C');
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 2000, 1))
        << "the wipe did not start";
    const HCURSOR wait = CurrentCursor();
    EXPECT_NE(wait, edit) << "no wait cursor during the wipe";
    // Clicks on the picture during the wave; each would fill a blank region black afterwards.
    int clicksDuringWipe = 0;
    for (int i = 2; i < 4; ++i)
        if (app_.Click(PageLeft + regions_[i].x, PageTop + regions_[i].y) &&
            !IsWindowEnabled(app_.Main()))
            ++clicksDuringWipe;
    EXPECT_EQ(clicksDuringWipe, 2) << "the wipe ended before the clicks were made";

    ApplyClear(expected);
    // The wave takes at least 94 frames of 30 ms.
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(PageAndTitle(expected, TitleRows[0]), "the cleared page", 30000));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, ScreenTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return CurrentCursor() == edit; }, 2000))
        << "the cursor did not fit the pointer again after the wipe";
    // A click that got through would start its fill at once; give it time to show.
    Sleep(500);
    EXPECT_TRUE(Matches(PageAndTitle(expected, TitleRows[0]), GrabClient(), "after the wipe"));

    // A second Clear does nothing: no wait cursor, the window stays enabled, the picture as it is.
    PressKey('C');
    const bool busy = WaitUntil(
        [&] { return !IsWindowEnabled(app_.Main()) || CurrentCursor() == wait; }, 1000, 1);
    EXPECT_FALSE(busy) << "the second Clear started a wipe";
    EXPECT_TRUE(Matches(PageAndTitle(expected, TitleRows[0]), GrabClient(), "after Clear again"));

    ASSERT_NO_FATAL_FAILURE(Quit());
    Page saved;
    ASSERT_TRUE(LoadPage(dir_->File(PageFiles[0]), saved));
    EXPECT_TRUE(saved.pixels == original_.pixels);
    EXPECT_EQ(saved.file.bfReserved1, 1) << "a cleared page is blank again";
}

} // namespace
} // namespace e2e

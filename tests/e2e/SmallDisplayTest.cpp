// A display under 800 x 600: the program explains and ends. Run by small-display.sh.
#include "Fixture.h"

namespace e2e {
namespace {

using SmallDisplay = E2eTest;

TEST_F(SmallDisplay, DISABLED_ExplainsAndEnds) {
    if (ScreenWidth() >= 800 && ScreenHeight() >= 600)
        GTEST_SKIP() << "needs a screen smaller than 800 x 600: run tests/e2e/small-display.sh";
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    ASSERT_TRUE(app_.Start(*dir_));

    HWND box = WaitMessageBox(
        "This program is designed to run full-screen at 800x600 resolution.  Change your "
        "display to this setting and then restart the program.",
        "Video Display Message");
    ASSERT_NE(box, nullptr);
    ASSERT_NO_FATAL_FAILURE(Answer(box));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_EQ(ScreenWidth(), 640) << "the display mode must be left alone";
    EXPECT_FALSE(FileExists(dir_->File("printer.dta"))) << "the program ended before its intro";
}

} // namespace
} // namespace e2e

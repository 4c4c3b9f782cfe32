// The Info and Print keys: their dialogs open, and while they are open the picture takes no input.
#include "Fixture.h"

namespace e2e {
namespace {

using Dialogs = E2eTest;

TEST_F(Dialogs, InputIsIgnoredWhileInfoIsOpen) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    const Page bones = ReadPage(0);
    const std::vector<Region> regions = FindRegions(bones, 1000, 20000);
    ASSERT_FALSE(regions.empty());
    ASSERT_NO_FATAL_FAILURE(StartRunning());

    PressKey('I');
    HWND info = app_.WaitDialog([&](HWND w) { return GetDlgItem(w, 110) && GetDlgItem(w, 111); },
                                ScreenTimeoutMs);
    ASSERT_NE(info, nullptr) << "the info dialog did not open";
    EXPECT_EQ(GetWindow(info, GW_OWNER), app_.Main());

    // A click on the picture, Quit, Clear and Page Down: none of them may act.
    ASSERT_TRUE(app_.Click(PageLeft + regions[0].x, PageTop + regions[0].y));
    PressKey('Q');
    PressKey('C');
    PressKey(VK_NEXT);
    ASSERT_TRUE(app_.ClickControl(info, IDOK)); // Done
    ASSERT_TRUE(
        WaitUntil([&] { return !IsWindow(info) || !IsWindowVisible(info); }, ScreenTimeoutMs));

    ASSERT_TRUE(app_.Running());
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(bones, TitleRows[0], 2001), "unchanged page 0"));
    // After the dialog the keys reach the program again.
    ASSERT_NO_FATAL_FAILURE(Quit());
    Page saved;
    ASSERT_TRUE(LoadPage(dir_->File(PageFiles[0]), saved));
    EXPECT_TRUE(saved.pixels == bones.pixels)
        << "the click made while Info was open filled a region";
}

TEST_F(Dialogs, PrintKeyStartsThePrintJobAndCancelChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    const Page bones = ReadPage(0);
    ASSERT_NO_FATAL_FAILURE(StartRunning());

    // The job opens the system's print dialog or, where no printer is installed, the system's box
    // saying so. Either is left with its Cancel or OK button.
    PressKey('P');
    HWND print = app_.WaitDialog([](HWND) { return true; }, ScreenTimeoutMs);
    ASSERT_NE(print, nullptr) << "pressing P opened no dialog";
    ASSERT_TRUE(app_.ClickControl(print, GetDlgItem(print, IDCANCEL) ? IDCANCEL : IDOK));
    ASSERT_TRUE(WaitUntil([&] { return app_.Dialogs().empty(); }, ScreenTimeoutMs))
        << "the print job left a dialog open:\n"
        << Describe(app_.Pid());

    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, ScreenTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(bones, TitleRows[0], 2001), "unchanged page 0"));
    // Nothing is left busy: the next key steps the page.
    PressKey(VK_NEXT);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(ReadPage(1), 1));
    ASSERT_NO_FATAL_FAILURE(Quit());
}

} // namespace
} // namespace e2e

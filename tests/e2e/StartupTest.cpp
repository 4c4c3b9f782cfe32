// Start and end: intro over the dot background, the running screen, printer.dta, one copy only.
#include "Fixture.h"

namespace e2e {
namespace {

using Startup = E2eTest;

std::vector<uint8_t> PrinterFile(const WorkDir& dir) {
    std::vector<uint8_t> bytes;
    ReadBytes(dir.File("printer.dta"), bytes);
    return bytes;
}

TEST_F(Startup, IntroOverDotsThenRunningScreenAndQuit) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    const Page bones = ReadPage(0);
    ASSERT_NO_FATAL_FAILURE(Launch());

    HWND main = app_.Main();
    EXPECT_EQ(TextOf(main), "Hueberry");
    RECT frame;
    GetWindowRect(main, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right - frame.left, 800);
    EXPECT_EQ(frame.bottom - frame.top, 600);

    HWND intro = WaitIntro();
    ASSERT_NE(intro, nullptr);
    RECT box;
    GetWindowRect(intro, &box);
    EXPECT_EQ(box.left, (800 - (box.right - box.left)) / 2)
        << "the intro is centred on the 800 x 600 screen";
    EXPECT_EQ(box.top, (600 - (box.bottom - box.top)) / 2);
    // Around the intro only the dot background shows: no frame, page or button yet.
    const POINT topLeft = app_.ToScreen(0, 0);
    const RECT except{box.left - topLeft.x, box.top - topLeft.y, box.right - topLeft.x,
                      box.bottom - topLeft.y};
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(DotBackground(except), "dot background around the intro"));
    EXPECT_FALSE(FileExists(dir_->File("printer.dta")))
        << "printer.dta is read only when the intro closes";

    ASSERT_NO_FATAL_FAILURE(CloseIntro(false));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(bones, TitleRows[0], 2001), "running screen"));
    EXPECT_EQ(PrinterFile(*dir_), std::vector<uint8_t>(4, 0))
        << "a missing printer.dta is made with mode 0";

    ASSERT_NO_FATAL_FAILURE(Quit());
    Page saved;
    ASSERT_TRUE(LoadPage(dir_->File(PageFiles[0]), saved));
    EXPECT_EQ(saved.pixels, bones.pixels) << "Quit saves the page as it is";
}

TEST_F(Startup, EscapeLeavesTheIntroLikeOkAndKeepsPrinterFile) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    // An existing printer.dta is read, never rewritten, when the intro closes.
    const std::vector<uint8_t> mode{2, 0, 0, 0, 7, 7};
    ASSERT_TRUE(WriteBytes(dir_->File("printer.dta"), mode));
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(true));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(ReadPage(0), TitleRows[0], 2001), "running screen"));
    EXPECT_EQ(PrinterFile(*dir_), mode);
    ASSERT_NO_FATAL_FAILURE(Quit());
}

TEST_F(Startup, SecondCopyEndsAtOnceWithMinusOne) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    ASSERT_NO_FATAL_FAILURE(StartRunning());

    Hueberry second;
    ASSERT_TRUE(second.Start(*dir_));
    DWORD code = 0;
    ASSERT_TRUE(second.WaitExit(StartTimeoutMs, code)) << "the second copy kept running";
    EXPECT_EQ(code, DWORD(-1));
    EXPECT_TRUE(app_.Running());
    int windows = 0;
    for (HWND w = FindWindowA("HUEBERRYWIN", nullptr); w;
         w = FindWindowExA(nullptr, w, "HUEBERRYWIN", nullptr))
        ++windows;
    EXPECT_EQ(windows, 1);

    ASSERT_NO_FATAL_FAILURE(Quit());
}

} // namespace
} // namespace e2e

// A parent's session with the Page Maker: a drawing with a leak opened, mended and put in place of
// a picture, which Hueberry then opens and fills up to the mended gap.
#include "Session.h"

namespace e2e {
namespace {

TEST_F(Session, PageMakerReplacesAPictureWithAMendedDrawing) {
    ASSERT_NO_FATAL_FAILURE(Seed());
    const std::vector<uint8_t> bones = Bytes(PageFiles[0]);
    Shot drawing; // a wall down the middle with a one-pixel gap, at half the page's size
    drawing.width = 330, drawing.height = 230;
    for (int i = 0; i < 330 * 230; ++i)
        drawing.px.push_back(i % 330 / 2 == 82 && i / 330 != 115 ? 0 : ~0u);
    ASSERT_TRUE(SaveShot(File("drawing.bmp"), drawing));
    Hueberry maker;
    ASSERT_TRUE(maker.Start(dir_, HB_PAGES_PATH, "HBPAGESWIN"));
    const auto counts = [&](const char* want) {
        HWND text = GetDlgItem(maker.Main(), 107);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(text) == want; }, 15000)) << TextOf(text);
    };
    const auto answer = [&] { // the Open dialog, then the question before replacing
        HWND box = maker.WaitDialog([](HWND) { return true; });
        WaitUntil([&] { return GetForegroundWindow() == box; }, 2000);
    };
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 101)); // Open drawing...
    answer();
    TypeText(File("drawing.bmp"));
    PressKeys({VK_RETURN});
    counts("Regions: 1\r\nLeaks: 1\r\nTiny regions: 0");
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 105)); // Close gaps
    counts("Regions: 2\r\nLeaks: 0\r\nTiny regions: 0");
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 109)); // Replace BONES, the first
    answer();
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return Bytes(PageFiles[0]) != bones; }, 15000));
    maker.Kill();

    Page expected = Read(0); // opened first; a click fills the left half only
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(Fill(expected, {100, 230}, Red));
    EXPECT_EQ(expected.At(500, 230), BlankIndex) << "the fill ran through the closed gap";
}

} // namespace
} // namespace e2e

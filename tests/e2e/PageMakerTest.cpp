// A parent's session with the Page Maker: a drawing with a leak opened, mended and put in place of
// a picture, which Hueberry then opens and fills up to the mended gap.
#include "Session.h"

namespace e2e {
namespace {

TEST_F(Session, PageMakerReplacesAPictureWithAMendedDrawing) {
    ASSERT_NO_FATAL_FAILURE(Seed());
    const std::vector<uint8_t> bones = Bytes(PageFiles[0]);
    Shot drawing; // a frame halved by a wall with a one-pixel gap, at half the page's size
    drawing.width = 330, drawing.height = 230;
    for (int i = 0; i < 330 * 230; ++i) {
        const int x = i % 330, y = i / 330;
        const bool frame = x < 2 || y < 2 || x > 327 || y > 227;
        drawing.px.push_back(frame || (x / 2 == 82 && y != 115) ? 0 : ~0u);
    }
    ASSERT_TRUE(SaveShot(File("drawing.bmp"), drawing));
    // The pictures it replaces are those beside the program, wherever it is started from.
    ASSERT_TRUE(CopyFileA(WinePath(HB_PAGES_PATH).c_str(), File("hbpages.exe").c_str(), FALSE));
    Hueberry maker;
    ASSERT_TRUE(maker.Start(dir_, File("hbpages.exe").c_str(), "HBPAGESWIN"));
    const auto counts = [&](const char* want) {
        HWND text = GetDlgItem(maker.Main(), 107);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(text) == want; }, 15000)) << TextOf(text);
    };
    const auto answer = [&] { // the Open dialog, then the question before replacing
        HWND box = maker.WaitDialog([](HWND) { return true; });
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }, 10000));
    };
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 101)); // Open drawing...
    answer();
    TypeText(File("drawing.bmp"));
    PressKeys({VK_RETURN});
    counts("Regions: 2\r\nLeaks: 1\r\nTiny regions: 0\r\nLargest area: 90%");
    PostMessageA(maker.Main(), WM_CLOSE, 0, 0); // unsaved: it asks, and No keeps it open
    answer();
    PressKeys({'N'});
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 105)); // Close gaps
    counts("Regions: 3\r\nLeaks: 0\r\nTiny regions: 0\r\nLargest area: 45%");
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 109)); // Replace BONES, the first
    answer();
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return Bytes(PageFiles[0]) != bones; }, 15000));
    PostMessageA(maker.Main(), WM_CLOSE, 0, 0); // saved: it closes without a question
    DWORD code = 1;
    EXPECT_TRUE(maker.WaitExit(15000, code) && code == 0);

    Page expected = Read(0); // opened first; a click fills the left half only
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(Fill(expected, {100, 230}, Red));
    EXPECT_EQ(expected.At(500, 230), BlankIndex) << "the fill ran through the closed gap";
}

} // namespace
} // namespace e2e

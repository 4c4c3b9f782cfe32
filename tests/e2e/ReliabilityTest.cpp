// The program under faults: saves refused, and killed while saving.
#include "Session.h"

namespace e2e {
namespace {

// Run by faults.sh on a full, then a read-only folder; bones.col is read-only besides. Each failed
// save is said once, naming its file; then the step or Quit goes on; the old file stays as it was.
TEST_F(Scripted, WriteRefused) {
    if (!Exists("bones.col")) // the second run finds the first one's pages
        Seed();
    SetFileAttributesA(File("bones.col").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<uint8_t> before[3] = {Bytes("bones.col"), Bytes("duck.col"),
                                            Bytes("parrots.col")};
    Page pages[3] = {Read(0), Read(1), Read(2)};
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &pages[0])); // the page is open: keys step
    // A printer.dta that can be neither written nor made leaves the Default layout.
    HWND info, options = OpenOptions(info);
    EXPECT_EQ(Checked(options), "&Default");
    ASSERT_NO_FATAL_FAILURE(CloseOptions(info, options, VK_ESCAPE));
    for (int i = 0; i < 3; ++i) {
        PressKeys({i < 2 ? WORD(VK_DOWN) : WORD('Q')});
        ASSERT_NO_FATAL_FAILURE(
            Answer(std::string("The file ") + PageFiles[i] + " could not be saved."));
        ASSERT_NO_FATAL_FAILURE(i < 2 ? ExpectScreen(nullptr, &pages[i + 1]) : ExpectExit(0));
        EXPECT_TRUE(app_.Dialogs().empty()) << "more than one box for a save";
        EXPECT_TRUE(Bytes(PageFiles[i]) == before[i]) << PageFiles[i] << " changed";
    }
}

// Run by faults.sh, which kills the program as it colours a region of bones.col and steps away and
// back, saving; the next run finds each page whole, as delivered but for that region (either way).
TEST_F(Scripted, KilledWhileSaving) {
    CreateDirectoryA((dir_ += "\\pages").c_str(), nullptr); // kept: the fixture leaves it, full
    if (!Exists("bones.col"))
        Seed();
    for (int k = 0; k < 6; ++k) {
        Page now = Read(k), was;
        ASSERT_TRUE(LoadPage(WinePath(HB_SOURCE_DIR "/data/" + std::string(PageFiles[k])), was));
        ApplyFill(was, R5.x, R5.y, now.At(R5.x, R5.y));
        ASSERT_TRUE(now.pixels == was.pixels) << PageFiles[k] << " is no page of before or after";
    }
    Page pages[2] = {Read(0), Read(1)};
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &pages[0]));
    std::printf("saving\n"), std::fflush(stdout); // faults.sh's cue
    for (;;) {                                    // until killed
        const bool red = pages[0].At(R5.x, R5.y) == Red;
        ASSERT_TRUE(app_.ClickControl(app_.Main(), red ? 2010 : 2001));
        ASSERT_NO_FATAL_FAILURE(Fill(pages[0], R5, red ? Pink : Red));
        for (int k = 0; k < 2; ++k) {
            PressKeys({k ? WORD(VK_UP) : WORD(VK_DOWN)}); // saves bones.col, then duck.col
            ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &pages[1 - k]));
        }
    }
}

} // namespace
} // namespace e2e

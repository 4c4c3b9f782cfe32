// Stepping through the six pages with the keys, and what a child sees when page files are missing.
#include "Fixture.h"

namespace e2e {
namespace {

class Navigation : public E2eTest {
  protected:
    // The last word when no page can be read: the unusable-program box, then the end with 0.
    void AnswerUnusableAndExpectExit() {
        HWND last = WaitMessageBox(
            "All of the hueberry pages are missing or damaged. The program is unusable.",
            "Hueberry");
        ASSERT_NE(last, nullptr);
        ASSERT_NO_FATAL_FAILURE(Answer(last));
        ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    }
};

TEST_F(Navigation, PageKeysStepWrapAndKeepColouring) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    Page pages[PageCount];
    for (int i = 0; i < PageCount; ++i)
        pages[i] = ReadPage(i);
    ASSERT_NO_FATAL_FAILURE(StartRunning());

    PressKey(VK_UP); // page 0 wraps round to page 5
    ASSERT_NO_FATAL_FAILURE(ExpectPage(pages[5], 5));
    PressKey(VK_NEXT); // and page 5 on to page 0
    ASSERT_NO_FATAL_FAILURE(ExpectPage(pages[0], 0));
    // Left, Right, Home and End do nothing: had any of them stepped, Down would not land on page 1.
    for (WORD key : {WORD(VK_LEFT), WORD(VK_RIGHT), WORD(VK_HOME), WORD(VK_END)})
        PressKey(key);
    PressKey(VK_DOWN);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(pages[1], 1));
    PressKey(VK_PRIOR);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(pages[0], 0));

    // Colouring survives a step away and back: the page is saved when it is left and read back.
    const std::vector<Region> regions = FindRegions(pages[0], 1000, 20000);
    ASSERT_FALSE(regions.empty());
    ASSERT_NO_FATAL_FAILURE(Fill(pages[0], regions[0].x, regions[0].y, 2));
    PressKey(VK_DOWN);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(pages[1], 1));
    Page saved;
    ASSERT_TRUE(LoadPage(dir_->File(PageFiles[0]), saved));
    EXPECT_TRUE(saved.pixels == pages[0].pixels)
        << "the page left was not saved with its colouring";
    PressKey(VK_UP);
    ASSERT_NO_FATAL_FAILURE(ExpectPage(pages[0], 0));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(pages[0], TitleRows[0], 2001), "running screen"));
    ASSERT_NO_FATAL_FAILURE(Quit());
}

TEST_F(Navigation, MissingFirstPageIsReportedAndSkipped) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    ASSERT_TRUE(dir_->Remove(PageFiles[0]));
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(false));

    HWND box = WaitMessageBox("The file bones.col is missing.", "Hueberry");
    ASSERT_NE(box, nullptr);
    ASSERT_NO_FATAL_FAILURE(Answer(box));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(ReadPage(1), TitleRows[1], 2001), "page 1 first"));
    EXPECT_TRUE(app_.Dialogs().empty()) << "only one message was due";

    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_FALSE(FileExists(dir_->File(PageFiles[0]))) << "a page never loaded must not be written";
}

TEST_F(Navigation, NoPagesAtAllEndsTheProgramAfterSevenMessages) {
    ASSERT_TRUE(dir_->CopyDelivered("hueberry.mid"));
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(false));

    for (const char* name : PageFiles) {
        HWND box = WaitMessageBox(std::string("The file ") + name + " is missing.", "Hueberry");
        ASSERT_NE(box, nullptr);
        ASSERT_NO_FATAL_FAILURE(Answer(box));
    }
    ASSERT_NO_FATAL_FAILURE(AnswerUnusableAndExpectExit());
    for (const char* name : PageFiles)
        EXPECT_FALSE(FileExists(dir_->File(name))) << name << " was written";
}

TEST_F(Navigation, SteppingThatFindsNoReadablePageEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(SeedDelivered());
    ASSERT_NO_FATAL_FAILURE(StartRunning());
    // Every other page goes, and the page on show can be neither saved nor read back: a folder
    // has taken its file's name.
    for (int i = 0; i < PageCount; ++i)
        ASSERT_TRUE(dir_->Remove(PageFiles[i]));
    ASSERT_TRUE(CreateDirectoryA(dir_->File(PageFiles[0]).c_str(), nullptr));

    PressKey(VK_DOWN);
    for (int i = 1; i <= PageCount; ++i) {
        const std::string name = PageFiles[i % PageCount];
        HWND box = WaitMessageBox("The file " + name + " is missing.", "Hueberry");
        ASSERT_NE(box, nullptr) << name;
        ASSERT_NO_FATAL_FAILURE(Answer(box));
    }
    ASSERT_NO_FATAL_FAILURE(AnswerUnusableAndExpectExit());
    EXPECT_FALSE(FileExists(dir_->File(std::string(PageFiles[0]) + ".tmp")));
    RemoveDirectoryA(dir_->File(PageFiles[0]).c_str());
}

} // namespace
} // namespace e2e

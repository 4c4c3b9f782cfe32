// The page store on Windows: loading and saving page files, their messages, and the memory blocks.
#include <gtest/gtest.h>

#include <cstring>

#include "WinTestSupport.h"
#include "colouring/Display.h"
#include "page/Gmem.h"
#include "page/Page.h"
#include "page/PageFile.h"

namespace {

std::vector<unsigned char> MonoPage() {
    std::vector<unsigned char> file(62 + 84 * 460, 0xFF);
    BitmapFileHeader fh{PageMagic, uint32_t(file.size()), 1, 0, 62};
    BitmapInfoHeader h{40, 660, 460, 1, 1, 0, 84 * 460, 0, 0, 2, 0};
    std::memcpy(file.data(), &fh, 14);
    std::memcpy(file.data() + 14, &h, 40);
    file[62 + 459 * 84] = 0x3F; // two outline pixels at the picture's top-left
    return file;
}

class PageStore : public ::testing::Test {
  protected:
    ScratchFolder folder;
    MessageBoxRecorder boxes;
    void SetUp() override {
        BuildPaletteEntries(DisplayPalette);
        ASSERT_EQ(1, AllocPageBuffers());
    }
    void TearDown() override { FreePageBuffers(); }
};

TEST_F(PageStore, LoadsAOneBitPageAndSavesItAsAnEightBitPage) {
    ASSERT_TRUE(WriteBytes("pig.col", MonoPage()));
    ASSERT_EQ(1, LoadPage("pig.col"));
    EXPECT_TRUE(MessageBoxRecorder::boxes.empty());
    EXPECT_EQ(8, bmp.bmiHeader.biBitCount);
    EXPECT_EQ(1, bmfhead.bfReserved1);
    EXPECT_EQ(0, CurrentPageView().At(0, 0));
    EXPECT_EQ(37, CurrentPageView().At(2, 0));
    CurrentPageView().At(100, 100) = 12;
    bmfhead.bfReserved1 = 0;

    ASSERT_EQ(1, SavePage("pig.col"));
    EXPECT_FALSE(FileExists("pig.col.tmp"));
    const auto saved = ReadBytes("pig.col");
    ASSERT_EQ(304678u, saved.size());
    EXPECT_EQ(0, std::memcmp(saved.data(), &bmfhead, 14));
    EXPECT_EQ(0, std::memcmp(saved.data() + 14, &bmp, 1064));
    EXPECT_EQ(0, std::memcmp(saved.data() + 1078, lpDib, 303600));

    std::memset(lpDib, 0, PagePixelBytes);
    ASSERT_EQ(1, LoadPage("pig.col"));
    EXPECT_EQ(12, CurrentPageView().At(100, 100));
    EXPECT_EQ(0, bmfhead.bfReserved1);
}

TEST_F(PageStore, MissingAndDamagedPagesShowTheirMessagesAndChangeNothing) {
    ASSERT_TRUE(WriteBytes("pig.col", MonoPage()));
    ASSERT_EQ(1, LoadPage("pig.col"));
    CurrentPageView().At(5, 5) = 9;
    const BitmapFileHeader fileBefore = bmfhead;
    const MYBITMAPINFO infoBefore = bmp;
    const std::vector<unsigned char> pixelsBefore(lpDib, lpDib + PagePixelBytes);

    EXPECT_EQ(0, LoadPage("duck.col"));
    auto bm = MonoPage();
    bm[0] = 'B';
    bm[1] = 'M';
    ASSERT_TRUE(WriteBytes("bm.col", bm));
    EXPECT_EQ(0, LoadPage("bm.col"));
    auto cut = MonoPage();
    cut.resize(cut.size() - 100);
    ASSERT_TRUE(WriteBytes("cut.col", cut));
    EXPECT_EQ(0, LoadPage("cut.col"));

    ASSERT_EQ(3u, MessageBoxRecorder::boxes.size());
    EXPECT_EQ("The file duck.col is missing.", MessageBoxRecorder::boxes[0].text);
    EXPECT_EQ("Hueberry", MessageBoxRecorder::boxes[0].caption);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), MessageBoxRecorder::boxes[0].type);
    for (int i : {1, 2}) {
        EXPECT_EQ("This is not a hueberry page.", MessageBoxRecorder::boxes[i].text);
        EXPECT_EQ("Hueberry", MessageBoxRecorder::boxes[i].caption);
        EXPECT_EQ(UINT(MB_OK), MessageBoxRecorder::boxes[i].type);
    }
    EXPECT_EQ(0, std::memcmp(&fileBefore, &bmfhead, 14));
    EXPECT_EQ(0, std::memcmp(&infoBefore, &bmp, 1064));
    EXPECT_EQ(0, std::memcmp(pixelsBefore.data(), lpDib, PagePixelBytes));
}

TEST_F(PageStore, AFailedSaveLeavesTheOldFileByteForByte) {
    ASSERT_TRUE(WriteBytes("pig.col", MonoPage()));
    ASSERT_EQ(1, LoadPage("pig.col"));
    CurrentPageView().At(300, 200) = 4;

    // The temporary file cannot be made.
    CreateDirectoryA("pig.col.tmp", nullptr);
    EXPECT_EQ(0, SavePage("pig.col"));
    EXPECT_EQ(MonoPage(), ReadBytes("pig.col"));
    RemoveDirectoryA("pig.col.tmp");

    // The new contents cannot take the old file's place.
    CreateDirectoryA("dir.col", nullptr);
    EXPECT_EQ(0, SavePage("dir.col"));
    EXPECT_FALSE(FileExists("dir.col.tmp"));
    EXPECT_TRUE(GetFileAttributesA("dir.col") & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(PageStore, ConverterMakesAPageFromABitmapAndRefusesOthers) {
    auto bmpFile = MonoPage();
    bmpFile[0] = 'B';
    bmpFile[1] = 'M';
    ASSERT_TRUE(WriteBytes("drawing.bmp", bmpFile));
    ASSERT_EQ(1, ConvertBmpToPage("drawing.bmp", "drawing.col"));
    EXPECT_EQ(1, LoadPage("drawing.col"));
    EXPECT_EQ(0, ConvertBmpToPage("nothing.bmp", "x.col"));
    EXPECT_TRUE(MessageBoxRecorder::boxes.empty());
    EXPECT_EQ(0, ConvertBmpToPage("drawing.col", "x.col"));
    ASSERT_EQ(1u, MessageBoxRecorder::boxes.size());
    EXPECT_EQ("This is not a bitmap file.", MessageBoxRecorder::boxes[0].text);
    EXPECT_FALSE(FileExists("x.col"));
}

int Answers;
int AnswerRetryOnce(size_t) {
    return Answers++ == 0;
}
int AllocateInsideHandler(size_t size) {
    ++Answers;
    EXPECT_EQ(nullptr,
              AllocBlock(size)); // fails at once: the handler is not asked again from inside itself
    return 0;
}

TEST(MemoryBlocks, TheHandlerDecidesWhetherAFailedAllocationIsTriedAgain) {
    // Fails at once; a merely huge request makes Wine search its address space for over a minute.
    const size_t impossible = ~size_t(0) / 2;
    Answers = 0;
    MemoryHandler previous = SetMemoryHandler(AnswerRetryOnce);
    EXPECT_EQ(nullptr, AllocBlock(impossible));
    EXPECT_EQ(2, Answers); // Retry, then Cancel
    SetMemoryHandler(AllocateInsideHandler);
    Answers = 0;
    EXPECT_EQ(nullptr, AllocBlock(impossible));
    EXPECT_EQ(1, Answers);
    EXPECT_EQ(AllocateInsideHandler, SetMemoryHandler(previous));

    unsigned char* block = static_cast<unsigned char*>(AllocBlock(4096));
    ASSERT_NE(nullptr, block);
    for (int i = 0; i < 4096; ++i)
        ASSERT_EQ(0, block[i]);
    FreeBlock(block);
    FreeBlock(nullptr);
}

} // namespace

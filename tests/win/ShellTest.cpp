// What only Windows code can show: the commands sent to the sound system, the assertion box, the
// memory blocks, and printing on devices the real printer never is.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/App.h"
#include "page/Gmem.h"
#include "page/Page.h"
#include "print/Layouts.h"
#include "print/Options.h"
#include "print/Print.h"
#include "sound/Sound.h"
#include "support/Messages.h"

namespace {

std::vector<std::string> Sent; // sound commands, and message boxes as "caption|text|type"
int BoxAnswer = IDOK;

int RecordBox(HWND, const char* text, const char* caption, UINT type) {
    Sent.push_back(std::string(caption) + "|" + text + "|" + std::to_string(type));
    return BoxAnswer;
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        lpDib = nullptr; // as shutdown does when it releases the page buffers
    return DefWindowProcA(window, message, wParam, lParam);
}

// A main window stand-in whose boxes are recorded, not shown.
class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        Sent.clear();
        BoxAnswer = IDOK;
        MessageBoxHook = RecordBox;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HbShellTest";
        RegisterClassA(&windowClass);
        hWndMain = CreateWindowA("HbShellTest", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
    }
    void TearDown() override {
        MessageBoxHook = nullptr;
        DestroyWindow(hWndMain);
        hWndMain = nullptr;
    }
};

TEST_F(Shell, MusicLoopsUntilStoppedAndEffectsPlayFromMemory) {
    SetSoundBackends(
        [](const char* command, HWND callback) -> MCIERROR {
            Sent.push_back(std::string(command) + (callback ? " (notify)" : ""));
            return 0;
        },
        [](const void* sound, DWORD flags) -> BOOL {
            const long effect = std::find(EffectTable, EffectTable + 9, sound) - EffectTable;
            Sent.push_back(std::to_string(effect) + " " + std::to_string(flags));
            return TRUE;
        });
    HWND window = reinterpret_cast<HWND>(0x1234);
    OpenMusic();
    StartMusic(window);
    ReplayMusic(window);
    StopMusic();
    ReplayMusic(window); // the notice the stop causes must not restart the music
    CloseMusic();
    LoadEffects(GetModuleHandleA(nullptr));
    PlayEffect(3);
    LoopEffect(5);
    StopEffect();
    SetSoundBackends(nullptr, nullptr);
    EXPECT_EQ(Sent, (std::vector<std::string>{
                        "open .\\hueberry.mid alias MainMidi type sequencer",
                        "seek MainMidi to start wait", "seek MainMidi to start wait",
                        "play MainMidi notify (notify)", "seek MainMidi to start wait",
                        "play MainMidi notify (notify)", "stop MainMidi", "close MainMidi", "3 5",
                        "5 13", "0 0"}));
    for (int number = 1; number <= 8; ++number)
        EXPECT_EQ(std::string(static_cast<const char*>(EffectTable[number]), 4), "RIFF") << number;
}

TEST_F(Shell, AssertionBoxShowsTheConditionCutToItsBufferAndCancelEndsTheProgram) {
    AssertBox("lpDibClear", "Gmem", 26);
    AssertBox(std::string(200, 'x').c_str(), "Gmem", 4000000000u);
    EXPECT_TRUE(IsWindow(hWndMain));
    BoxAnswer = IDCANCEL;
    AssertBox("xPage || yPage", "Print", 49);
    EXPECT_FALSE(IsWindow(hWndMain));
    ASSERT_EQ(Sent.size(), 3u);
    EXPECT_EQ(Sent[0], "ASSERTION FAILURE|at line 26 in file Gmem: \"lpDibClear\": OK to "
                       "continue.|8209"); // MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL
    EXPECT_EQ(Sent[1].size(), std::string("ASSERTION FAILURE||8209").size() + 79);
}

int Answers = 0;

TEST_F(Shell, TheMemoryHandlerDecidesWhetherAFailedAllocationIsTriedAgain) {
    // Fails at once; a merely huge request makes Wine search its address space for a minute.
    const size_t impossible = ~size_t(0) / 2;
    const MemoryHandler previous = SetMemoryHandler([](size_t) { return int(++Answers == 1); });
    EXPECT_EQ(AllocBlock(impossible), nullptr);
    EXPECT_EQ(Answers, 2); // Retry, then Cancel
    // A failed allocation inside the handler fails at once instead of asking again.
    SetMemoryHandler([](size_t size) { return ++Answers, int(AllocBlock(size) != nullptr); });
    EXPECT_EQ(AllocBlock(impossible), nullptr);
    EXPECT_EQ(Answers, 3);
    SetMemoryHandler(previous);
    auto* block = static_cast<unsigned char*>(AllocBlock(4096));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(std::all_of(block, block + 4096, [](unsigned char b) { return b == 0; }));
    FreeBlock(block);
    FreeBlock(nullptr);
}

// A top-down 32-bit DIB section in a memory context standing in for a printer, read back as
// 0xRRGGBB; it starts out magenta, a colour no layout prints.
struct Device {
    static constexpr uint32_t Untouched = 0xFF00FF;
    int w, h;
    uint32_t* bits = nullptr;
    HBITMAP bitmap;
    HDC dc = CreateCompatibleDC(nullptr);
    Device(int width, int height) : w(width), h(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        SelectObject(dc, bitmap);
        std::fill(bits, bits + w * h, Untouched);
    }
    ~Device() {
        if (GetObjectType(dc) == OBJ_MEMDC) // a print job deletes its context itself
            DeleteDC(dc);
        DeleteObject(bitmap);
    }
    uint32_t At(int x, int y) const { return GdiFlush(), bits[size_t(y) * w + x] & 0xFFFFFF; }
    bool Unmarked() const {
        GdiFlush();
        return std::all_of(bits, bits + w * h, [](uint32_t p) { return p == Untouched; });
    }
};

class Printing : public Shell {
  protected:
    std::vector<uint8_t> page = std::vector<uint8_t>(PagePixelBytes, BlankIndex),
                         scratch = std::vector<uint8_t>(PagePixelBytes),
                         buffer = std::vector<uint8_t>(PrintBufferBytes);
    void SetUp() override {
        Shell::SetUp();
        lpDib = page.data(), lpDibClear = scratch.data(), lpPrintBuf = buffer.data();
        bmp = {};
        bmp.bmiHeader = {40, StdPageWidth, StdPageHeight, 1, 8, 0, PagePixelBytes, 0, 0, 256, 0};
    }
    void TearDown() override {
        Shell::TearDown();
        lpDib = lpDibClear = lpPrintBuf = nullptr;
        PrintMode = 0;
    }
    static int Print(HDC dc, int pw, int ph) {
        return PrintMode ? PrintAlternate(dc, short(pw), short(ph))
                         : PrintDefault(dc, short(pw), short(ph));
    }
};

// A device too large for 16-bit sizes is printed through a scaled mapping: here a scale of 2 on a
// smaller device shows every layout's frame in place and in proportion.
TEST_F(Printing, ScaledMappingKeepsEveryLayoutInPlace) {
    const struct {
        int mode, pw, ph, left, right, top, bottom; // the frame's outer edges, -1 off the device
    } cases[] = {{0, 600, 750, 206, 991, 188, 1309},
                 {1, 600, 750, 208, 991, 188, 1307},
                 {2, 1500, 2300, 102, -1, 302, -1}};
    for (const auto& c : cases) {
        PrintMode = c.mode;
        Device device(1200, 1500);
        MapPrintableArea(device.dc, {c.pw, c.ph, 2, 0, 0});
        ASSERT_EQ(Print(device.dc, c.pw, c.ph), 1);
        int left = -1, right = -1, top = -1, bottom = -1; // black along the middle row and column
        for (int x = 0; x < device.w; ++x)
            if (device.At(x, 750) == 0)
                (left < 0 ? left : right) = x;
        for (int y = 0; y < device.h; ++y)
            if (device.At(600, y) == 0)
                (top < 0 ? top : bottom) = y;
        EXPECT_NEAR(left, c.left, 2) << c.mode;
        EXPECT_NEAR(top, c.top, 2) << c.mode;
        EXPECT_NEAR(c.right < 0 ? -1 : right, c.right, 2) << c.mode;
        EXPECT_NEAR(c.bottom < 0 ? -1 : bottom, c.bottom, 2) << c.mode;
    }
    // Without a page, or with one the buffers cannot hold, nothing is drawn.
    Device device(600, 800);
    for (PrintMode = 0; PrintMode <= 2; PrintMode += 2) {
        lpDib = nullptr;
        EXPECT_EQ(Print(device.dc, 600, 800), 0);
        lpDib = page.data();
        bmp.bmiHeader.biWidth = 700;
        EXPECT_EQ(Print(device.dc, 600, 800), 0);
        bmp.bmiHeader.biWidth = StdPageWidth;
    }
    EXPECT_TRUE(device.Unmarked());
}

// Every job, however it ends, draws nothing here (a memory context is no printer: the document
// cannot start), deletes the printer context, is no longer busy and leaves no input queued.
TEST_F(Printing, JobsThatCannotPrintEndLikeEveryJob) {
    hcurWait = LoadCursor(nullptr, IDC_WAIT);
    for (const int answer : {IDOK, IDCANCEL}) {
        for (const int size : {0, 300}) {
            Sent.clear();
            BoxAnswer = answer, BusyFlag = 1, hcurCurrent = nullptr;
            PostMessageA(hWndMain, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 30));
            PostMessageA(hWndMain, WM_KEYDOWN, 'P', 0);
            Device printer(300, 300);
            EXPECT_EQ(RunPrintJob(hWndMain, printer.dc, size, size), 1);
            EXPECT_TRUE(printer.Unmarked());
            EXPECT_EQ(GetObjectType(printer.dc), 0u) << "the printer context is deleted";
            EXPECT_EQ(BusyFlag, 0);
            // Zero sizes are an impossibility: OK goes on; Cancel ends the program and the job
            // there.
            EXPECT_EQ(Sent, size ? std::vector<std::string>{}
                                 : std::vector<std::string>{"ASSERTION FAILURE|at line 49 in "
                                                            "file Print: \"xPage || yPage\": OK "
                                                            "to continue.|8209"});
            if (!IsWindow(hWndMain)) {
                EXPECT_EQ(hcurCurrent, nullptr) << "the job went on after the program ended";
                return;
            }
            EXPECT_EQ(hcurCurrent, hcurWait);
            MSG message;
            std::vector<UINT> left;
            while (PeekMessageA(&message, hWndMain, 0, 0, PM_REMOVE))
                left.push_back(message.message);
            ASSERT_FALSE(left.empty());
            EXPECT_EQ(left.back(), UINT(WM_MOUSEMOVE)) << "the pointer move comes last";
            EXPECT_EQ(std::count(left.begin(), left.end(), UINT(WM_LBUTTONDOWN)) +
                          std::count(left.begin(), left.end(), UINT(WM_KEYDOWN)),
                      0)
                << "input left for after the job";
        }
    }
}

} // namespace

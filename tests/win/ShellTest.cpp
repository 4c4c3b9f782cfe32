// What only Windows code shows: the commands sent to the music sequencer, and how a print job that
// cannot print ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/App.h"
#include "page/Page.h"
#include "print/Print.h"
#include "sound/Sound.h"
#include "support/Messages.h"

namespace {

std::vector<std::string> Sent; // commands, and message boxes as "caption|text"

TEST(Music, LoopsUntilStopped) {
    SetSoundBackends(
        [](const char* command, HWND callback) -> MCIERROR {
            Sent.push_back(std::string(command) + (callback ? " (notify)" : ""));
            return 0;
        },
        nullptr);
    HWND window = reinterpret_cast<HWND>(0x1234);
    OpenMusic();
    StartMusic(window);
    ReplayMusic(window);
    StopMusic();
    ReplayMusic(window); // the notice the stop causes must not restart the music
    CloseMusic();
    SetSoundBackends(nullptr, nullptr);
    EXPECT_EQ(Sent, (std::vector<std::string>{
                        "open .\\hueberry.mid alias MainMidi type sequencer",
                        "seek MainMidi to start wait", "seek MainMidi to start wait",
                        "play MainMidi notify (notify)", "seek MainMidi to start wait",
                        "play MainMidi notify (notify)", "stop MainMidi", "close MainMidi"}));
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        lpDib = nullptr; // as shutdown does when it releases the page buffers
    return DefWindowProcA(window, message, wParam, lParam);
}

// Every job, however it ends, draws nothing here (a memory context is no printer: the document
// cannot start), deletes the printer context, is no longer busy and leaves no input queued. Zero
// sizes are an impossibility: OK in the assertion box goes on; Cancel ends the program, and the
// job there.
TEST(PrintJob, AJobThatCannotPrintEndsLikeEveryJob) {
    static int answer;
    MessageBoxHook = [](HWND, const char* text, const char* caption, UINT type) {
        Sent.push_back(std::string(caption) + "|" + text + "|" + std::to_string(type));
        return answer;
    };
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.lpszClassName = "HbPrintJobTest";
    RegisterClassA(&windowClass);
    hWndMain = CreateWindowA("HbPrintJobTest", "", WS_POPUP, 0, 0, 99, 99, nullptr, nullptr,
                             nullptr, nullptr);
    std::vector<uint8_t> page(PagePixelBytes, BlankIndex), scratch(PagePixelBytes),
        buffer(PrintBufferBytes);
    lpDib = page.data(), lpDibClear = scratch.data(), lpPrintBuf = buffer.data();
    bmp.bmiHeader = {40, StdPageWidth, StdPageHeight, 1, 8, 0, PagePixelBytes, 0, 0, 256, 0};
    hcurWait = LoadCursor(nullptr, IDC_WAIT);
    for (const auto& [size, box] : {std::pair{300, IDOK}, {0, IDOK}, {0, IDCANCEL}}) {
        answer = box;
        Sent.clear();
        BusyFlag = 1, hcurCurrent = nullptr;
        PostMessageA(hWndMain, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 30));
        PostMessageA(hWndMain, WM_KEYDOWN, 'P', 0);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -300, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        uint32_t* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&bits), nullptr, 0);
        std::fill(bits, bits + 300 * 300, 0xFF00FFu); // magenta, which nothing prints
        HDC printer = CreateCompatibleDC(nullptr);
        SelectObject(printer, bitmap);
        EXPECT_EQ(RunPrintJob(hWndMain, printer, size, size), 1);
        EXPECT_TRUE(std::all_of(bits, bits + 300 * 300, [](uint32_t p) { return p == 0xFF00FF; }));
        EXPECT_EQ(GetObjectType(printer), 0u) << "the printer context is deleted";
        DeleteObject(bitmap);
        EXPECT_EQ(BusyFlag, 0);
        EXPECT_EQ(Sent, size ? std::vector<std::string>{}
                             : std::vector<std::string>{"ASSERTION FAILURE|at line 49 in file "
                                                        "Print: \"xPage || yPage\": OK to "
                                                        "continue.|8209"}); // OK/Cancel, stop icon,
                                                                            // task-modal
        if (!IsWindow(hWndMain)) {
            EXPECT_EQ(hcurCurrent, nullptr) << "the job went on after the program ended";
            break;
        }
        EXPECT_EQ(hcurCurrent, hcurWait);
        MSG message;
        std::vector<UINT> left;
        while (PeekMessageA(&message, hWndMain, 0, 0, PM_REMOVE))
            left.push_back(message.message);
        EXPECT_EQ(left.size() ? left.back() : 0u, UINT(WM_MOUSEMOVE)) << "the pointer move last";
        EXPECT_EQ(std::count(left.begin(), left.end(), UINT(WM_LBUTTONDOWN)) +
                      std::count(left.begin(), left.end(), UINT(WM_KEYDOWN)),
                  0)
            << "input left for after the job";
    }
    EXPECT_FALSE(IsWindow(hWndMain)) << "Cancel in the assertion box did not end the program";
    MessageBoxHook = nullptr;
    lpDib = lpDibClear = lpPrintBuf = nullptr;
}

} // namespace

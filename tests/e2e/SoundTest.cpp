// What a child hears, and the tune's commands: sound.sh records the sound, sound.py checks it.
#include <fstream>

#include "Session.h"

#include <mmsystem.h>

namespace e2e {
namespace {

// Regions of duck.col: 35,343 pixels (70 frames, at least 1.4 s), and eight under 500 pixels, drawn
// once at the end: no frame, so no loop.
constexpr POINT Long{328, 382}, Small[8] = {{243, 144}, {541, 346}, {97, 352},  {276, 98},
                                            {554, 359}, {279, 195}, {140, 313}, {529, 359}};

// sound.sh's folder: the recording (22,050 two-byte samples a second), the log, marks.txt.
std::string Shared(const char* name) {
    return WinePath(std::getenv("HB_SOUND_DIR") + std::string("/") + name);
}
long Heard() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(Shared("cap.raw").c_str(), GetFileExInfoStandard, &data);
    return long(data.nFileSizeLow);
}
void Listen(long from, int ms) {
    ASSERT_TRUE(WaitUntil([&] { return Heard() >= from + ms * 441 / 10; }, ms + 9000, 5));
}
// Until the second 10 ms of one of the waves (a sound's first milliseconds are lost in the
// recording) is in the recording after from; sound.py bounds the delay.
bool Hears(std::initializer_list<int> waves, long from) {
    std::vector<std::vector<uint8_t>> pieces;
    for (const int n : waves) {
        std::vector<uint8_t> wave;
        ReadBytes(WinePath(HB_SOURCE_DIR "/resources/sounds/" + std::to_string(n) + ".wav"), wave);
        const auto at = std::search(wave.begin(), wave.end(), "data", "data" + 4) + 448;
        pieces.emplace_back(at, at + 440);
    }
    std::vector<uint8_t> heard;
    return WaitUntil(
        [&] {
            return ReadBytes(Shared("cap.raw"), heard) && long(heard.size()) > from &&
                   std::any_of(pieces.begin(), pieces.end(), [&](const auto& piece) {
                       return std::search(heard.begin() + from, heard.end(), piece.begin(),
                                          piece.end()) != heard.end();
                   });
        },
        5000);
}

TEST_F(Scripted, Sounds) {
    std::ofstream marks(Shared("marks.txt")); // the input and its byte in the recording
    // A colour button or a point of the picture pressed, once the window is in front (a click on a
    // window taking the activation was seen lost); its sound waited for, then the fill's end.
    const auto press = [&](const char* what, POINT at, int id = 0) {
        RECT r{};
        GetWindowRect(GetDlgItem(app_.Main(), id), &r);
        const POINT p = id ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}
                           : app_.ScreenOf(PageLeft + at.x, PageTop + at.y);
        WaitUntil([&] { return GetForegroundWindow() == app_.Main(); }, 2000);
        EXPECT_TRUE(MoveTo({p.x - 1, p.y}) && MoveTo(p));
        const long mark = Heard();
        EXPECT_TRUE(ClickHere());
        marks << what << ' ' << mark << std::endl;
        EXPECT_TRUE(id ? Hears({8}, mark) : Hears({1, 2, 3, 4}, mark)) << "unheard: " << what;
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 20000, 1));
        marks << "end " << Heard() << std::endl;
        return mark;
    };
    const auto open = [&] {
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
        PressKeys({VK_DOWN}); // to duck
    };
    ASSERT_NO_FATAL_FAILURE(Seed());
    ASSERT_NO_FATAL_FAILURE(open());
    Page duck = Read(1);
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &duck));
    PressKeys({'C'}); // on a blank page: nothing to wipe, nothing to hear
    marks << "blank " << Heard() << std::endl;
    Listen(Heard(), 600);
    Listen(press("colour", {}, 2010), 400);
    press("long", Long);
    Listen(Heard(), 300);
    Listen(press("short", Small[0]), 800);
    PressKeys({'C'});
    marks << "clear " << Heard() << std::endl;
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 5000, 1));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 20000, 1));
    marks << "end " << Heard() << std::endl;
    // Short fills until each opener has most likely been picked: after 40 one is still missing with
    // a chance of 4 x 0.75^40 < 1e-4. A colour every eight, or the regions would have theirs.
    for (int i = 0; i < 40 && !HasFailure(); ++i) {
        if (i % 8 == 0 && i)
            press("colour", {}, i / 8 % 2 ? 2001 : 2010);
        press("short", Small[i % 8]);
    }
    Listen(Heard(), 800);
    // The tune's end told as the last act, with Quit posted behind it while the program is held:
    // the notice that the replay's rewind posts then comes after Quit. (Here the sequencer never
    // stops "playing", and each replay's notice would start the next, endlessly.)
    HANDLE thread =
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(app_.Main(), nullptr));
    ASSERT_NE(SuspendThread(thread), DWORD(-1));
    PostMessageA(app_.Main(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
    PostMessageA(app_.Main(), WM_COMMAND, 1001, 0); // Quit
    ResumeThread(thread), CloseHandle(thread);
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));

    // No page to open: the music is stopped while the window still takes messages, so the stop's
    // own notice reaches it; no page is written.
    for (const char* name : PageFiles)
        ASSERT_TRUE(DeleteFileA(File(name).c_str()));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
    for (const char* name : PageFiles)
        ASSERT_NO_FATAL_FAILURE(Answer(std::string("The file ") + name + " is missing."));
    ASSERT_NO_FATAL_FAILURE(
        Answer("All of the hueberry pages are missing or damaged. The program is unusable."));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    for (const char* name : PageFiles)
        EXPECT_FALSE(Exists(name)) << name << " was written";
    Listen(Heard(), 300);
}

} // namespace
} // namespace e2e

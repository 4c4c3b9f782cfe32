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
    const char* dir = std::getenv("HB_SOUND_DIR");
    return WinePath(std::string(dir ? dir : ".") + "/" + name);
}
long Heard() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(Shared("cap.raw").c_str(), GetFileExInfoStandard, &data);
    return long(data.nFileSizeLow);
}
void Listen(long from, int ms) {
    ASSERT_TRUE(WaitUntil([&] { return Heard() >= from + ms * 441 / 10; }, ms + 9000, 5));
}
// Until wave n's second 10 ms (a sound's first milliseconds are lost in the recording) is in the
// recording after from: under load a sound took hundreds of ms to start.
bool Hears(int n, long from) {
    std::vector<uint8_t> wave, heard;
    if (!ReadBytes(WinePath(HB_SOURCE_DIR "/resources/sounds/" + std::to_string(n) + ".wav"), wave))
        return false;
    const auto piece = std::search(wave.begin(), wave.end(), "data", "data" + 4) + 448;
    return WaitUntil(
        [&] {
            return ReadBytes(Shared("cap.raw"), heard) && long(heard.size()) > from &&
                   std::search(heard.begin() + from, heard.end(), piece, piece + 440) !=
                       heard.end();
        },
        5000);
}
// The opener the design's pick gives for the clock reading the program took last before the n-th
// sound it started, from Wine's relay trace.
int Picked(size_t n) {
    std::ifstream log(Shared("session.log"));
    uint32_t tick = 0;
    for (std::string line; std::getline(log, line);) {
        const size_t at = line.find("timeGetTime() retval=");
        if (at != std::string::npos)
            tick = uint32_t(std::stoul(line.substr(at + 21, 8), nullptr, 16));
        else if (line.find(":Call winmm.PlaySoundA(") != line.npos &&
                 line.find(",00000005)") != line.npos && --n == 0)
            return 1 + int((tick * 214013u + 2531011u) >> 16 & 0x7FFF) % 4;
    }
    return 0;
}

TEST_F(Scripted, Sounds) {
    std::ofstream marks(Shared("marks.txt")); // the input, its byte in the recording, the pick
    bool traced = false;
    size_t started = 0; // sounds the inputs have started
    int picks = 0;      // bit n: opener n picked
    // A colour button or a point of the picture pressed, once the window is in front (a click on a
    // window taking the activation was seen lost). A known sound is waited for; the next input
    // waits for the fill's end.
    const auto press = [&](const char* what, POINT at, int id = 0) {
        RECT r{};
        GetWindowRect(GetDlgItem(app_.Main(), id), &r);
        const POINT p = id ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}
                           : ScreenOf(PageLeft + at.x, PageTop + at.y);
        ++started;
        WaitUntil([&] { return GetForegroundWindow() == app_.Main(); }, 2000);
        EXPECT_TRUE(MoveTo({p.x - 1, p.y}) && MoveTo(p));
        const long mark = Heard();
        EXPECT_TRUE(ClickHere());
        int pick = 0;
        if (traced && !id) {
            EXPECT_TRUE(WaitUntil([&] { return (pick = Picked(started)) != 0; }, 5000));
        }
        const int sound = id ? 8 : pick;
        EXPECT_TRUE(!sound || Hears(sound, mark)) << "sound " << sound << " unheard after " << what;
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 20000));
        picks |= 1 << pick;
        marks << what << ' ' << mark << ' ' << pick << std::endl;
        return mark;
    };
    const auto end = [&] { // a fill or the wipe, from the window disabled to enabled again
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 5000, 1));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 20000, 1));
        marks << "end " << Heard() << " 0" << std::endl;
    };
    ASSERT_NO_FATAL_FAILURE(Seed());
    Page duck = Read(1); // uncoloured at each start
    const auto open = [&](const char* trace) {
        SetEnvironmentVariableA("WINEDEBUG", trace);
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
        if (Exists(PageFiles[1])) {
            PressKeys({VK_DOWN});
            ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &duck));
        }
    };

    ASSERT_NO_FATAL_FAILURE(open("+mci"));
    Listen(press("colour", {}, 2010), 400);
    press("long", Long);
    end();
    Listen(Heard(), 300);
    Listen(press("short", Small[0]), 800);
    PressKeys({'C'});
    marks << "clear " << Heard() << " 0" << std::endl;
    end();
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

    // Under the relay trace, which slows the program: small regions filled until the pick has
    // given each opener, at most 53 times (then one is still missing with a chance < 1e-6).
    traced = true, started = 0;
    ASSERT_NO_FATAL_FAILURE(open("+relay"));
    for (int i = 0; i < 53 && (picks & 0x1E) != 0x1E && !HasFailure(); ++i) {
        if (i % 8 == 0 && i)
            press("colour", {}, i / 8 % 2 ? 2010 : 2001);
        press("short", Small[i % 8]);
    }
    Listen(Heard(), 800);
    PressKeys({'Q'});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));

    // No page to open: the music is stopped while the window still takes messages, so the stop's
    // own notice reaches it; no page is written.
    for (const char* name : PageFiles)
        ASSERT_TRUE(DeleteFileA(File(name).c_str()));
    ASSERT_NO_FATAL_FAILURE(open("+mci"));
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

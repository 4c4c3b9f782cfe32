// Start-up and shutdown around the display-mode switch: the size checked before any change, a
// failing step falling back to the desktop's mode, the mode given back exactly when it was changed.
#include <gtest/gtest.h>

#include <string>

#include "app/StartSteps.h"

namespace {

// Records each call as a letter; a call that can fail fails when its letter is in `fails`.
struct Recorder {
    std::string fails, calls;
    DisplayModeState* mode;
    template <char Letter> static int Try(void* r) {
        auto& self = *static_cast<Recorder*>(r);
        self.calls += Letter;
        return self.fails.find(Letter) == std::string::npos;
    }
    template <char Letter> static void Do(void* r) { Try<Letter>(r); }
    static int Wine(void* r) { return 1 - Try<'W'>(r); } // "fails" here: under Wine
    static void Log(void* r, const char* step) {
        static_cast<Recorder*>(r)->calls += std::string("<") + step + ">";
    }
    static void Destroy(void* r); // the destroy handler shuts down
};
using R = Recorder;
const StartCalls Calls = {
    nullptr,     R::Try<'S'>, R::Wine,     R::Try<'C'>, R::Try<'X'>, R::Try<'M'>, R::Log,
    R::Try<'B'>, R::Do<'L'>,  R::Try<'T'>, R::Do<'t'>,  R::Destroy,  R::Do<'k'>,  R::Do<'m'>,
    R::Do<'u'>,  R::Do<'i'>,  R::Do<'f'>,  R::Do<'p'>,  R::Do<'r'>,  R::Do<'x'>,  R::Do<'Q'>};
void Recorder::Destroy(void* r) {
    Do<'D'>(r);
    StartCalls calls = Calls;
    calls.context = r;
    RunShutDown(calls, *static_cast<Recorder*>(r)->mode);
}

TEST(StartSteps, TheDisplayModeIsGivenBackExactlyWhenItWasChanged) {
    // S size, W Wine, C create, X exclusive level, M mode, B buffers, L load and show, T timer,
    // t its message, D destroy; at shutdown (Quit and Alt+F4 alike, after "|") k kill the timer,
    // m stop and close the music, u the cursor, i the bitmaps, f free the buffers, p the palette,
    // r restore the mode, x release DirectDraw, Q quit.
    const struct {
        const char* fails;
        int running;
        const char* calls;
    } cases[] = {
        {"", 1, "SWCXMBLT|kmuifprxQ"},
        {"S", 0, "SDkmuifpQ|"}, // too small: nothing switched, nothing to give back
        {"C", 1, "SWC<DirectDrawCreateEx>BLT|kmuifpQ"},
        {"X", 1, "SWCX<SetCooperativeLevel>BLT|kmuifpxQ"},
        {"M", 1, "SWCXM<SetDisplayMode>BLT|kmuifpxQ"},
        {"B", 0, "SWCXMBDkmuifprxQ|"},
        {"T", 0, "SWCXMBLTtkmuifprxQ|"},
        {"W", 1, "SW<SetCooperativeLevel>BLT|kmuifpQ"},
    };
    for (const auto& c : cases) {
        DisplayModeState mode;
        Recorder recorder{c.fails, "", &mode};
        StartCalls calls = Calls;
        calls.context = &recorder;
        EXPECT_EQ(RunStartUp(calls, mode), c.running) << c.calls;
        recorder.calls += '|';
        if (c.running)
            RunShutDown(calls, mode);
        EXPECT_EQ(recorder.calls, c.calls);
        // A second shutdown (the window destroyed after the timer's failure) gives nothing back.
        recorder.calls.clear();
        RunShutDown(calls, mode);
        EXPECT_EQ(recorder.calls, "kmuifpQ") << c.calls;
    }
}

} // namespace

// Start-up and shutdown around the display-mode switch: the size check before any change, each
// failing DirectDraw step falling back to the desktop's mode, and the mode given back exactly when
// it was changed, on every way out.
#include <gtest/gtest.h>

#include <string>

#include "app/StartSteps.h"

namespace {

// Records each call as a letter; a call that can fail fails when its letter is in `fails`.
struct Recorder {
    std::string fails, calls;
    DisplayModeState* mode;
    static int Call(void* r, char letter) {
        auto& self = *static_cast<Recorder*>(r);
        self.calls += letter;
        return self.fails.find(letter) == std::string::npos;
    }
};

const StartCalls Calls = {
    nullptr,
    [](void* r) { return Recorder::Call(r, 'S'); },
    [](void* r) { return int(!Recorder::Call(r, 'W')); }, // "fails" here: under Wine
    [](void* r) { return Recorder::Call(r, 'C'); },
    [](void* r) { return Recorder::Call(r, 'X'); },
    [](void* r) { return Recorder::Call(r, 'M'); },
    [](void* r, const char* step) {
        static_cast<Recorder*>(r)->calls += std::string("<") + step + ">";
    },
    [](void* r) { return Recorder::Call(r, 'B'); },
    [](void* r) { Recorder::Call(r, 'L'); },
    [](void* r) { return Recorder::Call(r, 'T'); },
    [](void* r) { Recorder::Call(r, 't'); },
    [](void* r) { // the destroy handler shuts down
        Recorder::Call(r, 'D');
        StartCalls calls = Calls;
        calls.context = r;
        RunShutDown(calls, *static_cast<Recorder*>(r)->mode);
    },
    [](void* r) { Recorder::Call(r, 'k'); },
    [](void* r) { Recorder::Call(r, 'm'); },
    [](void* r) { Recorder::Call(r, 'u'); },
    [](void* r) { Recorder::Call(r, 'i'); },
    [](void* r) { Recorder::Call(r, 'f'); },
    [](void* r) { Recorder::Call(r, 'p'); },
    [](void* r) { Recorder::Call(r, 'r'); },
    [](void* r) { Recorder::Call(r, 'x'); },
    [](void* r) { Recorder::Call(r, 'Q'); },
};

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

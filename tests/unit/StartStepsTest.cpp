// Start-up and shutdown: the display mode given back exactly when it was changed, on every way
// out; the page buffers when memory runs out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "app/StartSteps.h"
#include "page/Buffers.h"

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
    // r restore the mode, x release DirectDraw, Q quit. A case: calls failing, running, calls made.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"", 1, "SWCXMBLT|kmuifprxQ"},
        {"S", 0, "SDkmuifpQ|"}, // too small: nothing switched, nothing to give back
        {"C", 1, "SWC<DirectDrawCreateEx>BLT|kmuifpQ"},
        {"X", 1, "SWCX<SetCooperativeLevel>BLT|kmuifpxQ"},
        {"M", 1, "SWCXM<SetDisplayMode>BLT|kmuifpxQ"},
        {"B", 0, "SWCXMBDkmuifprxQ|"},
        {"T", 0, "SWCXMBLTtkmuifprxQ|"},
        {"W", 1, "SW<SetCooperativeLevel>BLT|kmuifpQ"},
    };
    for (const auto& [fails, running, want] : cases) {
        DisplayModeState mode;
        Recorder recorder{fails, "", &mode};
        StartCalls calls = Calls;
        calls.context = &recorder;
        EXPECT_EQ(RunStartUp(calls, mode), running) << want;
        recorder.calls += '|';
        if (running)
            RunShutDown(calls, mode);
        EXPECT_EQ(recorder.calls, want);
        // A second shutdown (the window destroyed after the timer's failure) gives nothing back.
        recorder.calls.clear();
        RunShutDown(calls, mode);
        EXPECT_EQ(recorder.calls, "kmuifpQ") << want;
    }
}

// The page buffers' calls as they happen: t<size> a take that fails, T one that succeeds, g a block
// given back, h<answer> the handler, <expression line> the assertion box.
std::string calls, takes, answers; // each take's outcome, 't' or 'T', then T; the handler's, 1 or 0

const BlockCalls Recording = {
    [](size_t size) -> void* {
        const bool fail = !takes.empty() && takes[0] == 't';
        calls += (fail ? "t" : "T") + std::to_string(size), takes.erase(0, 1);
        return fail ? nullptr : std::calloc(1, size);
    },
    [](void* block) { calls += 'g', std::free(block); },
    [](const char* expression, const char*, unsigned line) {
        calls += std::string("<") + expression + " " + std::to_string(line) + ">";
    },
};

int Answer(size_t) {
    const int answer = answers.empty() ? 0 : answers[0] - '0';
    calls += "h" + answers.substr(0, 1), answers.erase(0, 1);
    FreeBlock(AllocBlock(1)); // a failed block inside the handler does not ask it again
    return answer;
}

// Retry tries again; Cancel gives up that buffer (reported), tries no more, returns what was had.
TEST(Buffers, RetryTriesAgainCancelGivesUpAndTheBuffersHadAreGivenBack) {
    Blocks = Recording;
    SetMemoryHandler(Answer);
    // The takes' outcomes, the handler's answers, whether all three buffers were had, the calls.
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"", "", 1, "T303600T303600T312624|ggg|"},
        {"tt", "1", 1, "t303600h1t1T303600T303600T312624|ggg|"}, // Retry, then memory
        {"t", "0", 0, "t303600h0T1g<lpDib 20>||"},               // Cancel: nothing more tried
        {"Tt", "0", 0, "T303600t303600h0T1g<lpDibClear 26>g||"},
        {"TTt", "0", 0, "T303600T303600t312624h0T1g<lpPrintBuf 31>gg||"},
    };
    for (const auto& [outcomes, answered, had, want] : cases) {
        calls.clear(), takes = outcomes, answers = answered;
        EXPECT_EQ(AllocPageBuffers(), had) << want;
        calls += '|';
        FreePageBuffers(), FreePageBuffers(); // each buffer given back once
        calls += '|';
        EXPECT_EQ(calls, want);
    }
    SetMemoryHandler(nullptr);
}

} // namespace

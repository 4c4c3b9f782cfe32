// The page buffers at start-up when memory runs out: the handler's Retry tries again, its Cancel
// gives up that buffer, which is reported, the next is not tried, and what was had is given back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "page/Buffers.h"
#include "page/Page.h"

namespace {

// Every call as it happens: t<size> a take that fails, T one that succeeds, g a block given back,
// h<answer> the handler, <expression line> the assertion box.
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

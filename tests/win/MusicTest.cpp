// The commands sent to the music sequencer, which no sound device under Wine plays: the tune loops
// until it is stopped, and the notice the stop causes does not start it again.
#include <gtest/gtest.h>

#include <string>

#include "sound/Sound.h"

TEST(Music, LoopsUntilStopped) {
    static std::string sent;
    SetSoundBackends(
        [](const char* command, HWND callback) -> MCIERROR {
            sent += command + std::string(callback ? " (notify)\n" : "\n");
            return 0;
        },
        nullptr);
    const HWND window = reinterpret_cast<HWND>(0x1234);
    OpenMusic();
    StartMusic(window);
    ReplayMusic(window);
    StopMusic();
    ReplayMusic(window);
    CloseMusic();
    SetSoundBackends(nullptr, nullptr);
    EXPECT_EQ(sent, "open .\\hueberry.mid alias MainMidi type sequencer\nseek MainMidi to start "
                    "wait\nseek MainMidi to start wait\nplay MainMidi notify (notify)\nseek "
                    "MainMidi to start wait\nplay MainMidi notify (notify)\nstop MainMidi\nclose "
                    "MainMidi\n");
}

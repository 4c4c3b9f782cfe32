// What only Windows code shows: the commands sent to the music sequencer, which no sound device
// under Wine plays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/Sound.h"

namespace {

std::vector<std::string> Sent;

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

} // namespace

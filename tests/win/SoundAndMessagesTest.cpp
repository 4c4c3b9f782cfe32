// Sound commands and effect flags as sent to the platform, the message texts, the assertion box and
// the log.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/App.h"
#include "sound/Sound.h"
#include "support/Messages.h"

namespace {

struct SentCommand {
    std::string command;
    HWND callback;
};
std::vector<SentCommand> Commands;
std::vector<std::pair<const void*, DWORD>> Sounds;

MCIERROR RecordMci(const char* command, HWND callback) {
    Commands.push_back({command, callback});
    return 0;
}
BOOL RecordSound(const void* sound, DWORD flags) {
    Sounds.push_back({sound, flags});
    return TRUE;
}

class Sound : public ::testing::Test {
  protected:
    void SetUp() override {
        Commands.clear();
        Sounds.clear();
        SetSoundBackends(RecordMci, RecordSound);
    }
    void TearDown() override { SetSoundBackends(nullptr, nullptr); }
};

TEST_F(Sound, MusicCommandsAndTheStoppedFlag) {
    HWND window = reinterpret_cast<HWND>(0x1234);
    OpenMusic();
    StartMusic(window);
    ReplayMusic(window);
    StopMusic();
    ReplayMusic(window); // the notice caused by the stop must not restart the music
    CloseMusic();
    const std::vector<std::string> want = {
        "open .\\hueberry.mid alias MainMidi type sequencer",
        "seek MainMidi to start wait",
        "seek MainMidi to start wait",
        "play MainMidi notify",
        "seek MainMidi to start wait",
        "play MainMidi notify",
        "stop MainMidi",
        "close MainMidi",
    };
    ASSERT_EQ(want.size(), Commands.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(want[i], Commands[i].command);
        EXPECT_EQ(want[i].rfind("play", 0) == 0 ? window : nullptr, Commands[i].callback)
            << want[i];
    }
    Commands.clear();
    StartMusic(window);
    EXPECT_EQ(0, MusicStopped);
    EXPECT_EQ(2u, Commands.size());
}

TEST_F(Sound, EffectsArePlayedFromTheResourcesWithTheirFlags) {
    LoadEffects(GetModuleHandleA(nullptr));
    for (int number = 1; number <= 8; ++number) {
        ASSERT_NE(nullptr, EffectTable[number]) << number;
        EXPECT_EQ(0, std::memcmp(EffectTable[number], "RIFF", 4)) << number;
    }
    PlayEffect(3);
    LoopEffect(5);
    StopEffect();
    ASSERT_EQ(3u, Sounds.size());
    EXPECT_EQ(EffectTable[3], Sounds[0].first);
    EXPECT_EQ(5u, Sounds[0].second);
    EXPECT_EQ(EffectTable[5], Sounds[1].first);
    EXPECT_EQ(13u, Sounds[1].second);
    EXPECT_EQ(nullptr, Sounds[2].first);
    EXPECT_EQ(0u, Sounds[2].second);
}

TEST(MessageTexts, SlotsKeepTheirTextsAndTheTableHoldsTheExactWording) {
    hInst = GetModuleHandleA(nullptr);
    const char* caption = GetResString(5, 1);
    const char* text = GetResString(3, 0);
    EXPECT_STREQ("Hueberry", caption);
    EXPECT_STREQ("This program is designed to run full-screen at 800x600 resolution.  Change your "
                 "display to this "
                 "setting and then restart the program.",
                 text);
    EXPECT_STREQ("The file %s is missing.", GetResString(8, 0));
    EXPECT_STREQ("Hueberry", caption);
    EXPECT_STREQ("Start Up", GetResString(0x10001, 1)); // only the low 16 bits count
    EXPECT_STREQ("All of the hueberry pages are missing or damaged. The program is unusable.",
                 GetResString(9, 0));
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

TEST(AssertionBox, ShowsTheFailedConditionAndCancelEndsTheProgram) {
    MessageBoxRecorder boxes;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "HBASSERTTEST";
    RegisterClassA(&windowClass);
    hWndMain = CreateWindowA("HBASSERTTEST", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, hWndMain);

    AssertBox("lpDibClear", "Gmem", 26);
    ASSERT_EQ(1u, MessageBoxRecorder::boxes.size());
    EXPECT_EQ("at line 26 in file Gmem: \"lpDibClear\": OK to continue.",
              MessageBoxRecorder::boxes[0].text);
    EXPECT_EQ("ASSERTION FAILURE", MessageBoxRecorder::boxes[0].caption);
    EXPECT_EQ(0x2011u, MessageBoxRecorder::boxes[0].type);
    EXPECT_TRUE(IsWindow(hWndMain));

    const std::string longName(200, 'x');
    AssertBox(longName.c_str(), longName.c_str(), 4000000000u);
    EXPECT_EQ(79u, MessageBoxRecorder::boxes[1].text.size());

    MessageBoxRecorder::answer = IDCANCEL;
    AssertBox("xPage || yPage", "Print", 49);
    EXPECT_FALSE(IsWindow(hWndMain));
    hWndMain = nullptr;
}

TEST(LogFile, NothingIsWrittenUntilLoggingStarts) {
    ScratchFolder folder;
    EXPECT_EQ(1, LogMessage("SetDisplayMode"));
    EXPECT_FALSE(FileExists("log.txt"));
    ASSERT_EQ(1, StartLog());
    EXPECT_EQ(1, LogMessage("SetCooperativeLevel"));
    const auto bytes = ReadBytes("log.txt");
    std::string log;
    for (unsigned char c : bytes)
        if (c != '\r') // the log is a text file: CR LF line ends on Windows
            log += char(c);
    EXPECT_LE(log.find(":  Log file for Hueberry: "), 2u) << log;
    EXPECT_NE(std::string::npos, log.find("\n\nTime Message\n")) << log;
    EXPECT_NE(std::string::npos, log.find(":  SetCooperativeLevel\n")) << log;
}

} // namespace

// The program under faults and at length: saves refused, killed while saving, a long session.
#include "Session.h"

#include <psapi.h>

#include <random>

namespace e2e {
namespace {

// Run by faults.sh on a full, then a read-only folder; bones.col is read-only besides. Each failed
// save is said once, naming its file; then the step or Quit goes on; the old file stays as it was.
TEST_F(Scripted, WriteRefused) {
    if (!Exists("bones.col")) // the second run finds the first one's pages
        Seed();
    SetFileAttributesA(File("bones.col").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<uint8_t> before[3] = {Bytes("bones.col"), Bytes("duck.col"),
                                            Bytes("parrots.col")};
    Page pages[3] = {Read(0), Read(1), Read(2)};
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &pages[0])); // the page is open: keys step
    // A printer.dta that can be neither written nor made leaves the Default layout.
    HWND info, options = OpenOptions(info);
    EXPECT_EQ(IsDlgButtonChecked(options, 112), UINT(BST_CHECKED));
    ASSERT_NO_FATAL_FAILURE(CloseOptions(info, options, VK_ESCAPE));
    for (int i = 0; i < 3; ++i) {
        PressKeys({i < 2 ? WORD(VK_DOWN) : WORD('Q')});
        ASSERT_NO_FATAL_FAILURE(
            Answer(std::string("The file ") + PageFiles[i] + " could not be saved."));
        ASSERT_NO_FATAL_FAILURE(i < 2 ? ExpectScreen(nullptr, &pages[i + 1]) : ExpectExit(0));
        EXPECT_TRUE(app_.Dialogs().empty()) << "more than one box for a save";
        EXPECT_TRUE(Bytes(PageFiles[i]) == before[i]) << PageFiles[i] << " changed";
    }
}

// Run by faults.sh, which kills the program as it colours a region of bones.col and steps away and
// back, saving; the next run finds each page whole, as delivered but for that region (either way).
TEST_F(Scripted, KilledWhileSaving) {
    CreateDirectoryA((dir_ += "\\pages").c_str(), nullptr); // kept: the fixture leaves it, full
    if (!Exists("bones.col"))
        Seed();
    for (int k = 0; k < 6; ++k) {
        Page now = Read(k), was;
        ASSERT_TRUE(LoadPage(WinePath(HB_SOURCE_DIR "/data/" + std::string(PageFiles[k])), was));
        ApplyFill(was, R5.x, R5.y, now.At(R5.x, R5.y));
        ASSERT_TRUE(now.pixels == was.pixels) << PageFiles[k] << " is no page of before or after";
    }
    Page pages[2] = {Read(0), Read(1)};
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &pages[0]));
    std::printf("saving\n"), std::fflush(stdout); // faults.sh's cue
    for (;;) {                                    // until killed
        const bool red = pages[0].At(R5.x, R5.y) == Red;
        ASSERT_TRUE(app_.ClickControl(app_.Main(), red ? 2010 : 2001));
        ASSERT_NO_FATAL_FAILURE(Fill(pages[0], R5, red ? Pink : Red));
        for (int k = 0; k < 2; ++k) {
            PressKeys({k ? WORD(VK_UP) : WORD(VK_DOWN)}); // saves bones.col, then duck.col
            ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &pages[1 - k]));
        }
    }
}

// HB_SESSION_ACTIONS (200) seeded child's actions: clicks but on Quit, colours, keys C I P and page
// keys, Info, Printing Options, print dialog (Escape closes all). Each is answered, memory stays
// flat, and it draws as before after more repaints than Wine's 16,384 GDI handles (1,900 actions).
TEST_F(Scripted, LongSession) {
    const char* length = std::getenv("HB_SESSION_ACTIONS");
    const int actions = length ? std::atoi(length) : 200;
    std::mt19937 random(2026);
    ASSERT_NO_FATAL_FAILURE(Seed());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app_.Pid());
    const DWORD thread = GetWindowThreadProcessId(app_.Main(), nullptr);
    PROCESS_MEMORY_COUNTERS m{}; // Wine's private bytes: PagefileUsage (anonymous resident+swap)
    size_t warm = 0;
    GUITHREADINFO gui{sizeof(GUITHREADINFO), 0, {}, {}, {}, {}, {}, {}, {}};
    const auto idle = [&](int calm = 0) { // for 300 ms: a key's command comes 125 ms after it
        return WaitUntil(
            [&] {
                GetGUIThreadInfo(thread, &gui); // a button keeps the focus until the pointer moves
                const bool still = IsWindowEnabled(app_.Main()) && app_.Dialogs().empty();
                return (calm = still && gui.hwndFocus == app_.Main() ? calm + 1 : 0) > 30;
            },
            20000);
    };
    const auto memory = [&] {
        SetCursorPos(400, 590), idle(), GetProcessMemoryInfo(process, &m, sizeof m);
        return m.PagefileUsage;
    };
    for (int i = 0; i < actions; ++i) {
        warm = i == actions / 5 ? memory() : warm;
        const unsigned kind = random() % 10, r = random(), x = r % 800, y = r / 800 % 600;
        const WORD keys[4] = {VK_PRIOR, VK_UP, VK_NEXT, VK_DOWN};
        if (kind < 5) // anywhere but on Quit
            app_.Click(int(x), int(x < 110 && y < 60 ? y + 60 : y));
        else if (kind == 5)
            app_.ClickControl(app_.Main(), 2000 + int(r % 36));
        else if (kind < 8)
            PressKeys({kind == 6 ? WORD('C') : keys[r % 4]});
        else {
            ASSERT_TRUE(SetCursorPos(int(x), int(y)) && idle()) << "busy before action " << i;
            PressKeys({kind == 8 ? WORD('I') : WORD('P')});
            HWND dialog = app_.WaitDialog([](HWND) { return true; });
            ASSERT_TRUE(dialog && (kind == 9 || r % 2 || app_.ClickControl(dialog, 111)));
        }
        for (size_t open; (open = app_.Dialogs().size()) > 0;)
            ASSERT_TRUE(WaitUntil(
                [&] { return PressKeys({VK_ESCAPE}), app_.Dialogs().size() < open; }, 15000, 300));
        ASSERT_TRUE(SendMessageTimeoutA(app_.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 15000, nullptr))
            << "no answer to action " << i;
    }
    ASSERT_TRUE(idle());
    const Shot before = GrabClient(app_.Main());
    for (int n = 0; n < actions * 9; ++n)
        RedrawWindow(app_.Main(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_LT(memory(), warm + (2u << 20)) << "memory grew with the actions";
    for (const WORD key : {VK_DOWN, VK_UP}) // away and back: the page on show is drawn anew
        SetCursorPos(400, 590), idle(), PressKeys({key}), idle();
    EXPECT_TRUE(WaitUntil([&] { return GrabClient(app_.Main()).px == before.px; }, 5000));
    PressKeys({'Q'});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    for (int k = 0; k < 6; ++k) // each page whole
        Read(k);
}

} // namespace
} // namespace e2e

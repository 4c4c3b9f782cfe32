// Sessions with the real program as a child has them, checked on the screen and in its files.
#include "Session.h"

namespace e2e {
namespace {

TEST_F(Session, ADayOfColouring) {
    const Cursors& cursor = DesignCursors();
    ASSERT_NO_FATAL_FAILURE(Seed());
    Page pages[6];
    for (int k = 0; k < 6; ++k)
        pages[k] = Read(k);
    Page &expected = pages[0], &duck = pages[1];
    ASSERT_NO_FATAL_FAILURE(Start());
    // The first paint: the dotted background, the intro over it; printer.dta is read only after.
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("intro", nullptr));
    EXPECT_FALSE(Exists("printer.dta"));
    // Until the picture is up the cursor is the arrow, over the picture's place too, and a click
    // there does nothing.
    EXPECT_TRUE(CursorAt(100, 100, cursor.arrow)) << "not the arrow under the intro";
    ASSERT_TRUE(app_.Click(100, 100));
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
    EXPECT_EQ(Bytes("printer.dta"), std::vector<uint8_t>(4, 0)) << "made holding mode 0";

    // A key and a click that wait for the main window when a paint runs are dropped: the program is
    // held still while Down, a click on the picture and a paint (sent, so it goes first) queue up.
    // Had Down stepped, Up would go back; a fill would show on the screen.
    ASSERT_TRUE(MoveTo(app_.ScreenOf(PageLeft + R1.x, PageTop + R1.y)));
    const DWORD id = GetWindowThreadProcessId(app_.Main(), nullptr);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, id);
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL; // asked for, so the suspension has taken hold
    ASSERT_TRUE(SuspendThread(thread) != DWORD(-1) && GetThreadContext(thread, &context));
    PressKeys({VK_DOWN});
    ClickHere();
    SendNotifyMessageA(app_.Main(), WM_PAINT, 0, 0);
    ResumeThread(thread), CloseHandle(thread);
    ASSERT_TRUE(SendMessageTimeoutA(app_.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 15000, nullptr));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
    // The paint takes the keyboard focus away for a moment; keys are pressed once it is back.
    GUITHREADINFO gui{sizeof gui, 0, {}, {}, {}, {}, {}, {}, {}};
    ASSERT_TRUE(WaitUntil(
        [&] { return GetGUIThreadInfo(id, &gui) && gui.hwndFocus == app_.Main(); }, 2000));

    // Each key alone, and where it lands: the page keys step and wrap round; any other key does
    // nothing, so the Down pressed after it lands on the next page. Every picture shows its title,
    // and the pointer resting on the picture keeps the edit cursor.
    const struct {
        WORD key, then;
        int page;
        const char* golden;
    } steps[] = {{VK_UP, 0, 5, "buyme-2001"},        {VK_NEXT, 0, 0, "bones-2001"},
                 {VK_PRIOR, 0, 5, "buyme-2001"},     {VK_DOWN, 0, 0, "bones-2001"},
                 {VK_LEFT, VK_DOWN, 1, "duck-2001"}, {VK_RIGHT, VK_DOWN, 2, "parrots-2001"},
                 {VK_HOME, VK_DOWN, 3, "pig-2001"},  {VK_END, VK_DOWN, 4, "spider-2001"},
                 {'X', VK_DOWN, 5, "buyme-2001"},    {VK_SPACE, VK_DOWN, 0, "bones-2001"}};
    for (const auto& step : steps) {
        // The page keys show the Up or Down button pressed for a moment.
        const bool down = step.key == VK_NEXT || step.key == VK_DOWN;
        if (step.then)
            PressKeys({step.key});
        else
            ExpectPressedFace([&] { PressKeys({step.key}); }, down ? 1006 : 1005,
                              down ? "DownBtn" : "UpBtn");
        if (step.then)
            PressKeys({step.then});
        ASSERT_NO_FATAL_FAILURE(ExpectScreen(step.golden, &pages[step.page])) << "key " << step.key;
        EXPECT_TRUE(CursorAt(-1, -1, cursor.edit)) << "after the step to " << step.golden;
    }

    // The Up button held down shows the design's pressed face until it is let go, then steps.
    const Shot face[2] = {Face("UpBtn", false), Face("UpBtn", true)};
    RECT up{};
    GetWindowRect(GetDlgItem(app_.Main(), 1005), &up);
    const auto shows = [&](int pressed) {
        return WaitUntil([&] { return Grab(GetDlgItem(app_.Main(), 1005)).px == face[pressed].px; },
                         2000);
    };
    ASSERT_TRUE(MoveTo({up.left + 30, up.top + 20}) && shows(0));
    INPUT press = Mouse({up.left + 30, up.top + 20}, MOUSEEVENTF_LEFTDOWN);
    SendInput(1, &press, sizeof press);
    EXPECT_TRUE(shows(1)) << "no pressed face";
    EXPECT_FALSE(WaitUntil([&] { return !shows(1); }, 300)) << "the pressed face did not hold";
    press.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof press);
    EXPECT_TRUE(shows(0));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("buyme-2001", &pages[5]));
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));

    // A second start brings the first, minimised, back to the top and ends with -1.
    ShowWindow(app_.Main(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app_.Main()) != 0; }, 5000));
    Hueberry second;
    DWORD code = 0;
    EXPECT_FALSE(second.Start(dir_));
    EXPECT_TRUE(second.WaitExit(15000, code) && code == DWORD(-1)) << code;
    EXPECT_TRUE(WaitUntil(
        [&] { return !IsIconic(app_.Main()) && GetForegroundWindow() == app_.Main(); }, 5000))
        << "the running program was not restored to the top";

    // The edit cursor over the picture up to its closing lines, x 70-730 and y 70-530, the arrow
    // beside it on each side.
    for (const auto& [x, y, edit] : {std::tuple{70, 70, true},
                                     {730, 530, true},
                                     {69, 300, false},
                                     {731, 300, false},
                                     {300, 69, false},
                                     {300, 531, false}})
        EXPECT_TRUE(CursorAt(x, y, edit ? cursor.edit : cursor.arrow)) << x << "," << y;
    // Clicks on the outline, and just right of the picture, fill nothing: the exact comparison
    // after the next fill would show it.
    for (const POINT p : BesideR5)
        ASSERT_TRUE(app_.Click(PageLeft + p.x, PageTop + p.y));
    ASSERT_TRUE(app_.Click(730, 300));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R1, Red));
    // A colour pick moves the large disc and changes the next fill, also over another colour
    // (every colour is filled over the one before it on the second start below).
    ASSERT_TRUE(app_.ClickControl(app_.Main(), 2010));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R1, Pink));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, {0, 0}, Pink)); // the picture's corner, (70, 70)

    // A step saves the page left.
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("duck-2010", &duck));
    EXPECT_TRUE(Read(0).pixels == expected.pixels) << "the page left was not saved as coloured";
    PressKeys({VK_UP});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));

    // While Info is open the picture takes no input: a click, Quit, Clear, Page Down. Its About box
    // and Printing Options return to it; Escape there keeps printer.dta, and Escape closes Info.
    HWND info = OpenInfo(L"I");
    ASSERT_NO_FATAL_FAILURE(ExpectDialog(info, "info"));
    ASSERT_TRUE(app_.Click(PageLeft + R4.x, PageTop + R4.y));
    PressKeys({'Q'});
    PressKeys({'C'});
    PressKeys({VK_NEXT});
    ASSERT_TRUE(app_.ClickControl(info, "&About"));
    HWND about = app_.WaitDialog([](HWND w) { return Labelled(w, "version 2.1") != nullptr; });
    ASSERT_NO_FATAL_FAILURE(ExpectDialog(about, "about"));
    ASSERT_TRUE(app_.ClickControl(about, "&OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(info); }, 15000));
    ASSERT_TRUE(app_.ClickControl(info, "&Printing Options"));
    HWND options = app_.WaitDialog([](HWND w) { return Labelled(w, "&Default") != nullptr; });
    // Default checked. The radio buttons' round marks are the platform's, drawn at the display's
    // scale: above 96 DPI the golden is the one of that DPI, which differs from 96 in them alone.
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const std::string golden = dpi == 96 ? "options" : "options-" + std::to_string(dpi);
    ASSERT_NO_FATAL_FAILURE(ExpectDialog(options, golden.c_str()));
    ASSERT_TRUE(app_.ClickControl(options, "&Alternate 2 (if all else fails)"));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) && IsWindowEnabled(info); }, 15000));
    EXPECT_EQ(Bytes("printer.dta"), std::vector<uint8_t>(4, 0));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == info; }, 2000));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(info); }, 15000)) << "Escape left Info open";
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));

    // A cancelled print (P in capitals, as I for Info above and C below) changes nothing and
    // leaves nothing busy: the next key steps. The pointer, not moved, shows the edit cursor again.
    ASSERT_TRUE(CursorAt(PageLeft + R5.x, PageTop + R5.y, cursor.edit));
    ExpectPressedFace([] { TypeText(L"P"); }, 1002, "PrintBtn");
    HWND dialog = app_.WaitDialog([](HWND w) { return TextOf(w) == "Print"; });
    ASSERT_NE(dialog, nullptr) << "P opened no print dialog";
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
    PressKeys({VK_ESCAPE}); // cancelled by key: the pointer stays on the picture
    ASSERT_TRUE(WaitUntil([&] { return app_.Dialogs().empty(); }, 15000));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));
    EXPECT_TRUE(CursorAt(-1, -1, cursor.edit)) << "after a cancelled print";
    PressKeys({VK_NEXT});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("duck-2010", &duck));
    EXPECT_TRUE(Read(0).pixels == expected.pixels) << "a click made under Info filled later";
    PressKeys({VK_PRIOR});

    // Clear: a wave with the wait cursor, during which clicks do nothing, back to blank; a second
    // Clear on a blank page does nothing at all.
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R4, Pink)); // the pointer rests on the picture
    PressKeys({'C'});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 2000, 1)) << "no wipe";
    EXPECT_TRUE(CursorAt(-1, -1, cursor.wait)) << "no wait cursor";
    EXPECT_TRUE(app_.Click(PageLeft + R5.x, PageTop + R5.y) && !IsWindowEnabled(app_.Main()));
    for (uint8_t& v : expected.pixels)
        v = v == OutlineIndex ? v : BlankIndex;
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected, 30000));
    EXPECT_TRUE(CursorAt(-1, -1, cursor.edit)) << "cursor not back after the wipe";
    ExpectPressedFace([] { TypeText(L"C"); }, 1003, "ClearBtn");
    EXPECT_FALSE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 1000, 1));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));

    // A day's repaints hold no more GDI objects than one.
    const int objects = GdiObjects(app_.Process());
    ASSERT_GT(objects, 0) << "the GDI handle table cannot be read";
    for (int i = 0; i < 400; ++i) {
        RedrawWindow(app_.Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        SendMessageTimeoutA(app_.Main(), WM_PAINT, 0, 0, SMTO_NORMAL, 5000, nullptr);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));
    ASSERT_LT(GdiObjects(app_.Process()), objects + 20) << "400 repaints leaked GDI objects";

    // Quit (Q, in capitals) waits 125 ms more once its button is back, and saves, in the design's
    // colours; the next start shows the colouring, with the selection back on red.
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R4, Pink));
    const DWORD back = ExpectPressedFace([] { TypeText(L"Q"); }, 1001, "QuitBtn");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(app_.Main()); }, 5000, 1));
    EXPECT_GE(int(GetTickCount() - back), 100) << "Quit did not wait after the button";
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    const Page saved = Read(0);
    EXPECT_TRUE(saved.pixels == expected.pixels && saved.blank == 0);
    EXPECT_TRUE(saved.table == std::vector<uint32_t>(DesignColours, DesignColours + 38));
    // Flagged blank though coloured: a click on the colour it has must leave the flag, or Clear
    // would then wipe.
    std::vector<uint8_t> flagged = Bytes(PageFiles[0]);
    flagged[6] = 1;
    ASSERT_TRUE(WriteBytes(File(PageFiles[0]), flagged));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
    ASSERT_TRUE(app_.ClickControl(app_.Main(), 2010));
    ASSERT_TRUE(app_.Click(PageLeft + R4.x, PageTop + R4.y));
    PressKeys({'C'});
    EXPECT_FALSE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 1000, 1));
    // Every colour button fills with its own colour, 1 to 36, over the one before (black first):
    // a region of 456 pixels, drawn once, seen in its middle; the whole picture once all are done.
    for (int id = 2000; id <= 2035; ++id) {
        const uint8_t colour = uint8_t(id - 1999);
        ASSERT_TRUE(ApplyFill(expected, 545, 91, colour) && app_.ClickControl(app_.Main(), id) &&
                    app_.Click(PageLeft + 545, PageTop + 91));
        EXPECT_TRUE(WaitUntil(
            [&] {
                const Shot s = Grab(app_.Main());
                return IsWindowEnabled(app_.Main()) &&
                       s.px[size_t(PageTop + 91) * s.width + PageLeft + 545] ==
                           DesignColours[colour];
            },
            5000))
            << id;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected));
    // Alt+F4 ends without saving those fills; logging is off, so no log was written.
    PressKeys({VK_MENU, VK_F4});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_TRUE(Bytes(PageFiles[0]) == flagged);
    EXPECT_FALSE(Exists("log.txt"));
}

TEST_F(Session, MissingAndDamagedPages) {
    // No bones.col, no parrots.col, a spider.col that is no page, and no music: one message at
    // start, none for the music.
    ASSERT_NO_FATAL_FAILURE(Seed({"bones.col", "parrots.col", "hueberry.mid"}));
    std::vector<uint8_t> spider = Bytes("spider.col");
    spider[0] = 'B', spider[1] = 'M';
    ASSERT_TRUE(WriteBytes(File("spider.col"), spider));
    ASSERT_TRUE(WriteBytes(File("printer.dta"), {}));
    Page duck = Read(1), pig = Read(3), buyMe = Read(5);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(Answer("The file bones.col is missing."));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("duck-2001", &duck));
    EXPECT_TRUE(app_.Dialogs().empty()) << "only one message was due";
    // An empty printer.dta reads as the Default layout and stays empty until OK writes it.
    EXPECT_TRUE(Bytes("printer.dta").empty());
    HWND info, options = OpenOptions(info);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(Checked(options), "&Default");
    ASSERT_NO_FATAL_FAILURE(CloseOptions(info, options, VK_RETURN));
    EXPECT_EQ(Bytes("printer.dta"), std::vector<uint8_t>(4, 0));
    // Stepping passes a missing and a damaged page, each after its message, to the next readable.
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(Answer("The file parrots.col is missing."));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("pig-2001", &pig));
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(Answer("This is not a hueberry page."));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("buyme-2001", &buyMe));
    EXPECT_FALSE(Exists("bones.col")) << "a page never loaded was written";

    // Now no page can be read, and the one on show can be neither saved nor read back (a folder
    // took its name): every page's message, the last word, and the end (at a start: the sounds).
    for (const char* name : PageFiles)
        DeleteFileA(File(name).c_str());
    ASSERT_TRUE(CreateDirectoryA(File("buy_me.col").c_str(), nullptr));
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(Answer("The file buy_me.col could not be saved."));
    for (const char* name : PageFiles)
        ASSERT_NO_FATAL_FAILURE(Answer(std::string("The file ") + name + " is missing."));
    ASSERT_NO_FATAL_FAILURE(
        Answer("All of the hueberry pages are missing or damaged. The program is unusable."));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    for (const char* name :
         {"bones.col", "duck.col", "parrots.col", "pig.col", "spider.col", "buy_me.col.tmp"})
        EXPECT_FALSE(Exists(name)) << name << " was written";
}

// Run by print.sh with the PDF printer: a sheet in each layout, chosen in Printing Options by its
// label and printed by key or button; print.sh checks the sheets.
TEST_F(Scripted, Printing) {
    const std::string edit = DesignCursors().edit;
    ASSERT_NO_FATAL_FAILURE(Seed());
    std::vector<uint8_t> mode{5, 0, 0, 0, 7, 7}; // a mode unknown, and two bytes that must stay
    ASSERT_TRUE(WriteBytes(File("printer.dta"), mode));
    Page expected = Read(0);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R1, Red)); // the pointer rests on the picture from here
    EXPECT_EQ(Bytes("printer.dta"), mode) << "an existing printer.dta is read, not written";
    // Mode 5 checks nothing and OK keeps it (printed as Alternate 1); then each layout chosen.
    const char* choices[4] = {nullptr, "&Alternate 1 (if Default fails)", "&Default",
                              "&Alternate 2 (if all else fails)"};
    const int modes[4] = {5, 1, 0, 2};
    for (int job = 0; job < 4; ++job) {
        HWND info, options = OpenOptions(info);
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(Checked(options), job ? choices[job - 1] ? choices[job - 1] : "" : "") << job;
        ASSERT_TRUE(!choices[job] || app_.ClickControl(options, choices[job]));
        ASSERT_NO_FATAL_FAILURE(CloseOptions(info, options, VK_RETURN));
        mode[0] = uint8_t(modes[job]);
        EXPECT_EQ(Bytes("printer.dta"), mode);

        job == 1 ? (void)app_.ClickControl(app_.Main(), 1002) : PressKeys({'P'});
        HWND dialog = app_.WaitDialog([](HWND w) { return TextOf(w) == "Print"; });
        ASSERT_NE(dialog, nullptr) << "no print dialog";
        // Clicks on the blank background beside the dialog, and during the job, fill nothing;
        // Print pressed during the job starts no second one.
        ASSERT_TRUE(app_.Click(PageLeft + 10, PageTop + 230));
        PressKeys({VK_RETURN});
        const auto printing = [&] { return !IsWindow(dialog) && !IsWindowEnabled(app_.Main()); };
        int during = 0;
        WaitUntil(
            [&] {
                if (printing() && ClickHere())
                    PressKeys({'P'}), during += printing();
                return during == 2 || (during && IsWindowEnabled(app_.Main()));
            },
            15000, 1);
        EXPECT_GT(during, 0) << "no click could be made while the job ran";
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 15000));
        // The picture as before the job, and the cursor of the pointer's place without a move.
        EXPECT_FALSE(WaitUntil([&] { return !app_.Dialogs().empty(); }, 500)) << "a second job";
        ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
        EXPECT_TRUE(CursorAt(-1, -1, edit)) << "job " << job;
    }
    // A choice left with Escape is forgotten: the options open again on the mode kept.
    for (const char* choice : {choices[1], choices[0]}) {
        HWND info, options = OpenOptions(info);
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(Checked(options), choices[3]);
        ASSERT_TRUE(!choice || app_.ClickControl(options, choice));
        ASSERT_NO_FATAL_FAILURE(CloseOptions(info, options, VK_ESCAPE));
    }
    EXPECT_EQ(Bytes("printer.dta"), mode);
    PressKeys({'Q'});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_TRUE(Read(0).pixels == expected.pixels) << "a click made while printing filled";
}

// Run by print.sh: the printer "Blank", whose printable area is empty, stops the job with the
// assertion box; OK goes on without printing, Cancel ends the program.
TEST_F(Scripted, PrinterWithNoPrintableArea) {
    ASSERT_NO_FATAL_FAILURE(Seed());
    Page expected = Read(0);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
    for (const WORD answer : {VK_RETURN, VK_ESCAPE}) {
        PressKeys({'P'});
        HWND dialog = app_.WaitDialog([](HWND w) { return TextOf(w) == "Print"; });
        ASSERT_NE(dialog, nullptr) << "no print dialog";
        ASSERT_TRUE(app_.ClickControl(dialog, 0x473)); // the printer's list, opened
        PressKeys({'B'}), PressKeys({VK_TAB});
        // The printer's place, as the dialog shows it for the one chosen.
        ASSERT_TRUE(
            WaitUntil([&] { return TextOf(GetDlgItem(dialog, 0x44d)) == "CUPS:Blank"; }, 5000))
            << TextOf(GetDlgItem(dialog, 0x44d));
        ASSERT_TRUE(app_.ClickControl(dialog, "OK"));
        ASSERT_NO_FATAL_FAILURE(
            Answer("at line 49 in file Print: \"xPage || yPage\": OK to continue.",
                   "ASSERTION FAILURE", answer));
        if (answer == VK_RETURN) {
            ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
        }
    }
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
}

// Run by alone.sh on a 640 x 480 screen of its own.
TEST_F(Scripted, SmallDisplay) {
    ASSERT_LT(GetSystemMetrics(SM_CXSCREEN), 800);
    ASSERT_NO_FATAL_FAILURE(Seed());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Answer("This program is designed to run full-screen at 800x600 "
                                   "resolution.  Change your display to this setting and then "
                                   "restart the program.",
                                   "Video Display Message"));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_FALSE(Exists("printer.dta")) << "it ended before its intro";
}

} // namespace
} // namespace e2e

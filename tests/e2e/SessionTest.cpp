// Sessions with the real program, as a child (and a parent) would have them, checked on the screen
// and in the files it leaves.
//
// Screens are compared with goldens, tests/e2e/golden/NAME.png (made into NAME.bmp beside the
// driver by the build), except the picture, which is always drawn from the page expected. Run with
// HB_E2E_GOLDEN=<folder> to write the screens there instead, then look at them before replacing the
// goldens (convert NAME.bmp NAME.png). They are taken under Wine on a 24-bit X display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "Driver.h"

namespace e2e {
namespace {

// Points deep inside regions of bones.col, largest first, and outline pixels each of which has the
// region at R5 beside it on a different side: a click landing a pixel off would fill R5.
constexpr POINT R1{299, 283}, R2{467, 148}, R3{266, 238}, R4{291, 417}, R5{349, 203};
constexpr POINT BesideR5[4] = {{364, 207}, {330, 203}, {347, 224}, {347, 196}};
constexpr uint8_t Red = 2, Black = 1, Pink = 11; // the colours of buttons 2001, 2000, 2010

class Session : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = MakeWorkDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { app_.Kill(); }

    std::string File(const std::string& name) const { return dir_ + "\\" + name; }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::vector<uint8_t> Bytes(const std::string& name) const {
        std::vector<uint8_t> bytes;
        ReadBytes(File(name), bytes);
        return bytes;
    }
    void Seed(const std::set<std::string>& leaveOut = {}) {
        for (const char* name : {PageFiles[0], PageFiles[1], PageFiles[2], PageFiles[3],
                                 PageFiles[4], PageFiles[5], "hueberry.mid"})
            if (!leaveOut.count(name)) {
                ASSERT_TRUE(CopyFileA(SourcePath(std::string("data/") + name).c_str(),
                                      File(name).c_str(), FALSE));
            }
    }
    Page Read(int index) const {
        Page page;
        EXPECT_TRUE(LoadPage(File(PageFiles[index]), page)) << PageFiles[index] << " unreadable";
        return page;
    }

    void Start() { ASSERT_TRUE(app_.Start(dir_)) << "no main window appeared"; }
    // The intro is the program's dialog with an OK button and no text, unlike a message box.
    void CloseIntro(WORD key = 0) {
        HWND intro = app_.WaitDialog([&](HWND w) {
            return GetWindow(w, GW_OWNER) == app_.Main() && GetDlgItem(w, IDOK) &&
                   StaticTexts(w).empty();
        });
        ASSERT_NE(intro, nullptr) << "no intro";
        if (key) {
            WaitUntil([&] { return GetForegroundWindow() == intro; }, 2000);
            PressKeys({key});
        } else
            ASSERT_TRUE(app_.ClickControl(intro, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(intro); }, 15000)) << "the intro stayed";
    }

    // The client area equals the golden (none: only the picture is compared), with the picture
    // drawn from page.
    void ExpectScreen(const char* golden, Page* page, int timeoutMs = 20000) {
        const char* writeTo = std::getenv("HB_E2E_GOLDEN");
        Shot want, got;
        if (golden && !writeTo) {
            ASSERT_TRUE(LoadShot(Golden(golden), want)) << "no golden " << Golden(golden);
        }
        int wrong = -1;
        WaitUntil(
            [&] {
                got = GrabClient(app_.Main());
                wrong = Differences(want, got, page);
                return wrong == 0 || !app_.Running();
            },
            timeoutMs, 30);
        if (golden && writeTo) {
            Sleep(1000); // let whatever the picture does not show settle too
            got = GrabClient(app_.Main());
            ASSERT_TRUE(SaveShot(std::string(writeTo) + "\\" + golden + ".bmp", got));
        }
        const std::string what = golden ? golden : "picture";
        if (wrong != 0)
            SaveShot(File("failed-" + what + ".bmp"), got);
        ASSERT_EQ(wrong, 0) << what << ": pixels differ; the screen is in " << dir_;
    }

    void Fill(Page& expected, POINT at, uint8_t colour) {
        ASSERT_GT(ApplyFill(expected, at.x, at.y, colour), 0) << "nothing to fill there";
        ASSERT_TRUE(app_.Click(PageLeft + at.x, PageTop + at.y));
        ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 15000));
        expected.file.bfReserved1 = 0;
    }

    // A modal box of the main window: it waits for the box, checks it and answers it with Enter.
    void Answer(const std::string& text, const char* caption = "Hueberry") {
        HWND box = app_.WaitDialog([&](HWND w) {
            const std::vector<std::string> texts = StaticTexts(w);
            return std::find(texts.begin(), texts.end(), text) != texts.end();
        });
        ASSERT_NE(box, nullptr) << "no box \"" << text << "\"";
        EXPECT_EQ(TextOf(box), caption);
        EXPECT_EQ(GetWindow(box, GW_OWNER), app_.Main());
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }, 2000));
        // Watched for a moment: a repaint dispatched by the box's own loop must not enable it.
        EXPECT_FALSE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 400, 20))
            << "the main window is enabled under \"" << text << "\"";
        // Enter, not a click: Wine was seen to stack the main window over a box that follows
        // another at once, where its OK button cannot be clicked.
        PressKeys({VK_RETURN});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 15000)) << "the box stayed";
    }

    void ExpectExit(DWORD want) {
        DWORD code = 0;
        ASSERT_TRUE(app_.WaitExit(15000, code)) << "the program did not end";
        EXPECT_EQ(code, want);
    }

    HWND OpenInfo() {
        PressKeys({'I'});
        return app_.WaitDialog([](HWND w) { return GetDlgItem(w, 111) != nullptr; });
    }

    std::string dir_;
    Hueberry app_;

  private:
    static std::string Golden(const char* name) {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        const std::string path = exe;
        return path.substr(0, path.find_last_of('\\')) + "\\golden\\" + name + ".bmp";
    }
    static int Differences(const Shot& want, const Shot& got, Page* page) {
        if (!want.px.empty() && (want.width != got.width || want.height != got.height))
            return -1;
        int wrong = 0;
        for (int y = 0; y < got.height; ++y)
            for (int x = 0; x < got.width; ++x) {
                const int px = x - PageLeft, py = y - PageTop;
                const bool picture =
                    page && px >= 0 && py >= 0 && px < StdPageWidth && py < StdPageHeight;
                if (!picture && want.px.empty())
                    continue;
                const size_t i = size_t(y) * got.width + x;
                wrong += got.px[i] != (picture ? page->Rgb(page->At(px, py)) : want.px[i]);
            }
        return wrong;
    }
};

TEST_F(Session, ADayOfColouring) {
    ASSERT_NO_FATAL_FAILURE(Seed());
    Page expected = Read(0), duck = Read(1), buyMe = Read(5);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(TextOf(app_.Main()), "Hueberry");
    // The first paint: the dotted background, the intro over it; printer.dta is read only after.
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("intro", nullptr));
    EXPECT_FALSE(Exists("printer.dta"));
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
    EXPECT_EQ(Bytes("printer.dta"), std::vector<uint8_t>(4, 0)) << "made holding mode 0";

    // A second start only ends with -1, leaving one program running.
    Hueberry second;
    DWORD code = 0;
    EXPECT_FALSE(second.Start(dir_));
    EXPECT_TRUE(second.WaitExit(15000, code) && code == DWORD(-1)) << code;
    EXPECT_TRUE(app_.Running());

    // Clicks on the outline, and just right of the picture, fill nothing: the exact comparison
    // after the next fill would show it.
    for (const POINT p : BesideR5)
        ASSERT_TRUE(app_.Click(PageLeft + p.x, PageTop + p.y));
    ASSERT_TRUE(app_.Click(730, 300));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R1, Red));
    // A colour pick moves the large disc and changes the next fill, also over another colour and
    // over black paint.
    ASSERT_TRUE(app_.ClickControl(app_.Main(), 2010));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R2, Pink));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R1, Pink));
    ASSERT_TRUE(app_.ClickControl(app_.Main(), 2000));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R3, Black));
    ASSERT_TRUE(app_.ClickControl(app_.Main(), 2010));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R3, Pink));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, {0, 0}, Pink)); // the picture's corner, (70, 70)

    // The page keys step and wrap round; a step saves the page left. Left, Right, Home and End do
    // nothing: had one stepped, Down would not land on duck.
    PressKeys({VK_UP});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("buyme-2010", &buyMe));
    PressKeys({VK_NEXT});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));
    for (const WORD key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END})
        PressKeys({key});
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("duck-2010", &duck));
    EXPECT_TRUE(Read(0).pixels == expected.pixels) << "the page left was not saved as coloured";
    PressKeys({VK_PRIOR});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));

    // While Info is open the picture takes no input: a click, Quit, Clear, Page Down. Its About box
    // and Printing Options return to it; Escape in the options keeps printer.dta.
    HWND info = OpenInfo();
    ASSERT_NE(info, nullptr) << "Info did not open";
    ASSERT_TRUE(app_.Click(PageLeft + R4.x, PageTop + R4.y));
    PressKeys({'Q'});
    PressKeys({'C'});
    PressKeys({VK_NEXT});
    ASSERT_TRUE(app_.ClickControl(info, 110));
    HWND about = app_.WaitDialog([&](HWND w) { return GetWindow(w, GW_OWNER) == info; });
    ASSERT_NE(about, nullptr) << "no About box";
    ASSERT_TRUE(app_.ClickControl(about, IDOK));
    ASSERT_TRUE(app_.ClickControl(info, 111));
    HWND options = app_.WaitDialog([](HWND w) { return GetDlgItem(w, 112) != nullptr; });
    ASSERT_NE(options, nullptr) << "no Printing Options";
    EXPECT_EQ(IsDlgButtonChecked(options, 112), UINT(BST_CHECKED));
    ASSERT_TRUE(app_.ClickControl(options, 114));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) && IsWindowEnabled(info); }, 15000));
    ASSERT_TRUE(app_.ClickControl(info, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(info); }, 15000));
    EXPECT_EQ(Bytes("printer.dta"), std::vector<uint8_t>(4, 0));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));

    // A cancelled print changes nothing and leaves nothing busy: the next key steps.
    PressKeys({'P'});
    HWND print = app_.WaitDialog([](HWND) { return true; });
    ASSERT_NE(print, nullptr) << "P opened no dialog";
    ASSERT_TRUE(app_.ClickControl(print, GetDlgItem(print, IDCANCEL) ? IDCANCEL : IDOK));
    ASSERT_TRUE(WaitUntil([&] { return app_.Dialogs().empty(); }, 15000));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));
    PressKeys({VK_NEXT});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("duck-2010", &duck));
    EXPECT_TRUE(Read(0).pixels == expected.pixels) << "a click made under Info filled later";
    PressKeys({VK_PRIOR});

    // Clear: a wave with the wait cursor, during which clicks do nothing, back to blank; a second
    // Clear on a blank page does nothing at all.
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R4, Pink)); // the pointer rests on the picture
    const HCURSOR edit = CurrentCursor();
    PressKeys({'C'});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 2000, 1)) << "no wipe";
    EXPECT_NE(CurrentCursor(), edit) << "no wait cursor";
    EXPECT_TRUE(app_.Click(PageLeft + R5.x, PageTop + R5.y) && !IsWindowEnabled(app_.Main()));
    for (uint8_t& v : expected.pixels)
        v = v == OutlineIndex ? v : BlankIndex;
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected, 30000));
    EXPECT_TRUE(WaitUntil([&] { return CurrentCursor() == edit; }, 2000)) << "cursor not back";
    PressKeys({'C'});
    EXPECT_FALSE(WaitUntil([&] { return !IsWindowEnabled(app_.Main()); }, 1000, 1));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2010", &expected));

    // Quit saves; the next start shows the colouring, with the selection back on red.
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R4, Pink));
    PressKeys({'Q'});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    const Page saved = Read(0);
    EXPECT_TRUE(saved.pixels == expected.pixels && saved.file.bfReserved1 == 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("bones-2001", &expected));
    // Alt+F4 ends without saving.
    const std::vector<uint8_t> before = Bytes(PageFiles[0]);
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R5, Red));
    PressKeys({VK_MENU, VK_F4});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_TRUE(Bytes(PageFiles[0]) == before);
}

TEST_F(Session, MissingAndDamagedPages) {
    // No bones.col, no parrots.col, a spider.col that is no page, and no music: one message at
    // start, none for the music.
    ASSERT_NO_FATAL_FAILURE(Seed({"bones.col", "parrots.col", "hueberry.mid"}));
    std::vector<uint8_t> spider = Bytes("spider.col");
    spider[0] = 'B', spider[1] = 'M';
    ASSERT_TRUE(WriteBytes(File("spider.col"), spider));
    Page duck = Read(1), pig = Read(3), buyMe = Read(5);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    ASSERT_NO_FATAL_FAILURE(Answer("The file bones.col is missing."));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("duck-2001", &duck));
    EXPECT_TRUE(app_.Dialogs().empty()) << "only one message was due";
    // Stepping passes a missing and a damaged page, each after its message, to the next readable.
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(Answer("The file parrots.col is missing."));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("pig-2001", &pig));
    PressKeys({VK_DOWN});
    ASSERT_NO_FATAL_FAILURE(Answer("This is not a hueberry page."));
    ASSERT_NO_FATAL_FAILURE(ExpectScreen("buyme-2001", &buyMe));
    EXPECT_FALSE(Exists("bones.col")) << "a page never loaded was written";

    // Now no page can be read, and the one on show can be neither saved nor read back (a folder
    // took its name): every page's message, the last word, and the end.
    for (const char* name : PageFiles)
        DeleteFileA(File(name).c_str());
    ASSERT_TRUE(CreateDirectoryA(File("buy_me.col").c_str(), nullptr));
    PressKeys({VK_DOWN});
    for (const char* name : PageFiles)
        ASSERT_NO_FATAL_FAILURE(Answer(std::string("The file ") + name + " is missing."));
    ASSERT_NO_FATAL_FAILURE(
        Answer("All of the hueberry pages are missing or damaged. The program is unusable."));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_FALSE(Exists("buy_me.col.tmp"));
}

TEST_F(Session, NoPagesAtAll) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    for (const char* name : PageFiles)
        ASSERT_NO_FATAL_FAILURE(Answer(std::string("The file ") + name + " is missing."));
    ASSERT_NO_FATAL_FAILURE(
        Answer("All of the hueberry pages are missing or damaged. The program is unusable."));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    for (const char* name : PageFiles)
        EXPECT_FALSE(Exists(name)) << name << " was written";
}

// Run by print.sh with the PDF printer: a sheet in each layout, chosen in Printing Options and
// printed by key or button; print.sh checks the sheets, copied here as sheet-<mode>.pdf.
TEST_F(Session, DISABLED_Printing) {
    ASSERT_NO_FATAL_FAILURE(Seed());
    std::vector<uint8_t> mode{2, 0, 0, 0, 7, 7}; // Alternate 2, and two bytes that must stay
    ASSERT_TRUE(WriteBytes(File("printer.dta"), mode));
    std::string out = std::getenv("HB_PDF_OUT") ? std::getenv("HB_PDF_OUT") : "";
    std::replace(out.begin(), out.end(), '/', '\\');
    out = "Z:" + out + "\\";
    Page expected = Read(0);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(VK_ESCAPE));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, R1, Red));
    EXPECT_EQ(Bytes("printer.dta"), mode) << "an existing printer.dta is read, not written";
    for (int layout = 0; layout < 3; ++layout) {
        HWND info = OpenInfo();
        ASSERT_TRUE(info && app_.ClickControl(info, 111));
        HWND options = app_.WaitDialog([](HWND w) { return GetDlgItem(w, 112) != nullptr; });
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(IsDlgButtonChecked(options, 112 + (layout + 2) % 3), UINT(BST_CHECKED));
        ASSERT_TRUE(app_.ClickControl(options, 112 + layout));
        PressKeys({VK_RETURN});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) && IsWindowEnabled(info); }, 15000));
        ASSERT_TRUE(app_.ClickControl(info, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(info); }, 15000));
        mode[0] = uint8_t(layout);
        EXPECT_EQ(Bytes("printer.dta"), mode);

        WIN32_FIND_DATAA found;
        HANDLE old = FindFirstFileA((out + "*.pdf").c_str(), &found);
        ASSERT_EQ(old, INVALID_HANDLE_VALUE) << "the printer's folder is not empty: " << out;
        layout == 1 ? (void)app_.ClickControl(app_.Main(), 1002) : PressKeys({'P'});
        HWND dialog = app_.WaitDialog([](HWND w) { return TextOf(w) == "Print"; });
        ASSERT_NE(dialog, nullptr) << "no print dialog";
        // Clicks on the blank background beside the dialog, and during the job, fill nothing.
        ASSERT_TRUE(app_.Click(PageLeft + 10, PageTop + 230));
        EXPECT_EQ(GetForegroundWindow(), dialog);
        PressKeys({VK_RETURN});
        int during = 0;
        WaitUntil(
            [&] {
                const auto busy = [&] {
                    return !IsWindow(dialog) && !IsWindowEnabled(app_.Main());
                };
                during += busy() && ClickHere() && busy();
                return during == 2 || (during && IsWindowEnabled(app_.Main()));
            },
            15000, 1);
        EXPECT_GT(during, 0) << "no click could be made while the job ran";
        // The sheet is finished when the printer has written its end-of-file mark.
        std::vector<uint8_t> pdf;
        const std::string eof = "%%EOF";
        ASSERT_TRUE(WaitUntil(
            [&] {
                HANDLE sheet = FindFirstFileA((out + "*.pdf").c_str(), &found);
                FindClose(sheet);
                return sheet != INVALID_HANDLE_VALUE && ReadBytes(out + found.cFileName, pdf) &&
                       std::search(pdf.end() - std::min<size_t>(pdf.size(), 16), pdf.end(),
                                   eof.begin(), eof.end()) != pdf.end();
            },
            60000, 50))
            << "no sheet came out";
        ASSERT_TRUE(MoveFileA((out + found.cFileName).c_str(),
                              File("sheet-" + std::to_string(layout) + ".pdf").c_str()));
    }
    PressKeys({'Q'});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_TRUE(Read(0).pixels == expected.pixels) << "a click made while printing filled";
}

// Run by small-display.sh on a 640 x 480 screen of its own.
TEST_F(Session, DISABLED_SmallDisplay) {
    ASSERT_LT(GetSystemMetrics(SM_CXSCREEN), 800);
    ASSERT_NO_FATAL_FAILURE(Seed());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Answer("This program is designed to run full-screen at 800x600 "
                                   "resolution.  Change your display to this setting and then "
                                   "restart the program.",
                                   "Video Display Message"));
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640) << "the display mode must be left alone";
    EXPECT_FALSE(Exists("printer.dta")) << "it ended before its intro";
}

} // namespace
} // namespace e2e

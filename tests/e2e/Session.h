// The fixture of the end-to-end sessions: a work folder, the program, and what a child sees.
//
// Screens are compared with goldens, tests/e2e/golden/NAME.png (made into NAME.bmp by the build),
// except the picture, always drawn from the page expected. A screen that differs is kept in the
// session's folder as failed-NAME.bmp: after a deliberate change, look at it, then make it the
// golden (as PNG). Goldens are taken under Wine on a 24-bit X display.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "Driver.h"

namespace e2e {

// Points deep inside regions of bones.col, largest first, and outline pixels each of which has the
// region at R5 beside it on a different side: a click landing a pixel off would fill R5.
constexpr POINT R1{299, 283}, R2{467, 148}, R3{266, 238}, R4{291, 417}, R5{349, 203};
constexpr POINT BesideR5[4] = {{364, 207}, {330, 203}, {347, 224}, {347, 196}};
constexpr uint8_t Red = 2, Black = 1, Pink = 11, Rust = 21; // buttons 2001, 2000, 2010, 2020

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
                ASSERT_TRUE(CopyFileA(WinePath(HB_SOURCE_DIR "/data/" + std::string(name)).c_str(),
                                      File(name).c_str(), FALSE));
            }
    }
    Page Read(int index) const {
        Page page;
        EXPECT_TRUE(LoadPage(File(PageFiles[index]), page)) << PageFiles[index] << " unreadable";
        return page;
    }

    // A copy killed a moment ago may leave its window a while: it would be taken for a running
    // copy.
    void Start() {
        WaitUntil([] { return !FindWindowA("HUEBERRYWIN", nullptr); }, 10000);
        ASSERT_TRUE(app_.Start(dir_)) << "no main window appeared";
    }
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
        Shot want, got;
        if (golden) {
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
        const std::string what = golden ? golden : "picture";
        if (wrong != 0)
            SaveShot(File("failed-" + what + ".bmp"), got);
        ASSERT_EQ(wrong, 0) << what << ": pixels differ; the screen is in " << dir_;
    }

    // A point of the main window's client area on the screen.
    POINT ScreenOf(int cx, int cy) const {
        POINT p{cx, cy};
        ClientToScreen(app_.Main(), &p);
        return p;
    }
    // The pointer moved to a point of the client area shows the cursor given there.
    bool CursorAt(int cx, int cy, HCURSOR want) const {
        return MoveTo(ScreenOf(cx, cy)) && WaitUntil([&] { return CurrentCursor() == want; }, 2000);
    }

    void Fill(Page& expected, POINT at, uint8_t colour) {
        ASSERT_GT(ApplyFill(expected, at.x, at.y, colour), 0) << "nothing to fill there";
        ASSERT_TRUE(app_.Click(PageLeft + at.x, PageTop + at.y));
        ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 15000));
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
    // Info, then its Printing Options over it.
    HWND OpenOptions(HWND& info) {
        info = OpenInfo();
        return info && app_.ClickControl(info, 111)
                   ? app_.WaitDialog([](HWND w) { return GetDlgItem(w, 112) != nullptr; })
                   : nullptr;
    }
    // Leaves the options with the key, back to Info, and Info with Done.
    void CloseOptions(HWND info, HWND options, WORD key) {
        PressKeys({key});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) && IsWindowEnabled(info); }, 15000));
        ASSERT_TRUE(app_.ClickControl(info, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(info); }, 15000));
    }

    std::string dir_;
    Hueberry app_;

  private:
    static std::string Golden(const char* name) {
        return BesideDriver(std::string("golden\\") + name + ".bmp");
    }
    static int Differences(const Shot& want, const Shot& got, Page* page) {
        if (!want.px.empty() && (want.width != got.width || want.height != got.height))
            return -1;
        int wrong = 0;
        for (int y = 0; y < got.height; ++y)
            for (int x = 0; x < got.width; ++x) {
                const int px = x - PageLeft, py = y - PageTop;
                const bool picture =
                    page && px >= 0 && py >= 0 && px < PageWidth && py < PageHeight;
                if (!picture && want.px.empty())
                    continue;
                const size_t i = size_t(y) * got.width + x;
                const uint8_t index = picture ? page->At(px, py) : 0;
                wrong += got.px[i] != (!picture     ? want.px[i]
                                       : index < 38 ? DesignColours[index]
                                                    : ~0u);
            }
        return wrong;
    }
};

// The sessions that a script runs under conditions of its own (a printer, a small display, a full
// folder, kills, length): left out of the plain run, each started by its script by name.
class Scripted : public Session {};

} // namespace e2e

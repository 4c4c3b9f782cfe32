// The fixture of the end-to-end sessions: a work folder, the program, and what a child sees.
//
// Screens are compared with goldens, tests/e2e/golden/NAME.png (made into NAME.bmp by the build),
// except the picture, always drawn from the page expected. A screen that differs is kept in the
// session's folder as failed-NAME.bmp: after a deliberate change, look at it, then make it the
// golden (as PNG). Goldens are taken under Wine on a 24-bit X display.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "Driver.h"

namespace e2e {

// Points deep inside regions of bones.col, largest first, and outline pixels each of which has the
// region at R5 beside it on a different side: a click landing a pixel off would fill R5.
constexpr POINT R1{299, 283}, R4{291, 417}, R5{349, 203};
constexpr POINT BesideR5[4] = {{364, 207}, {330, 203}, {347, 224}, {347, 196}};
constexpr uint8_t Red = 2, Pink = 11; // buttons 2001 and 2010

class Session : public ::testing::Test {
  protected:
    void SetUp() override {
        // Under Wine the driver's standard output was seen to stop reaching the log once a Unix
        // helper had been started during a wipe, while its error output went on: report there.
        _dup2(_fileno(stderr), _fileno(stdout));
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
    // copy. The design's cursors are shown once before the first start.
    void Start() {
        DesignCursors();
        WaitUntil([] { return !FindWindowA("HUEBERRYWIN", nullptr); }, 10000);
        ASSERT_TRUE(app_.Start(dir_)) << "no main window appeared";
    }
    // The intro is the main window's dialog with the button "&OK" (a message box's is "OK").
    void CloseIntro(WORD key = 0) {
        HWND intro = app_.WaitDialog(
            [&](HWND w) { return GetWindow(w, GW_OWNER) == app_.Main() && Labelled(w, "&OK"); });
        ASSERT_NE(intro, nullptr) << "no intro";
        if (key) {
            WaitUntil([&] { return GetForegroundWindow() == intro; }, 2000);
            PressKeys({key});
        } else
            ASSERT_TRUE(app_.ClickControl(intro, "&OK"));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(intro); }, 15000)) << "the intro stayed";
    }

    // The main window's client area (or the whole of another window) equals the golden (none: only
    // the picture is compared), with the picture drawn from page; and still does once the program
    // has taken what was queued and a quarter of a second more.
    void ExpectScreen(const char* golden, Page* page, int timeoutMs = 20000,
                      HWND window = nullptr) {
        Shot want, got;
        if (golden) {
            ASSERT_TRUE(LoadShot(Golden(golden), want)) << "no golden " << Golden(golden);
        }
        int wrong = -1;
        const auto look = [&] {
            got = window ? Grab(window, true) : Grab(app_.Main());
            return (wrong = Differences(want, got, page)) == 0 || !app_.Running();
        };
        if (WaitUntil(look, timeoutMs, 30) && wrong == 0) {
            SendMessageTimeoutA(app_.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
            Sleep(250), look();
        }
        const std::string what = golden ? golden : "picture";
        if (wrong != 0)
            SaveShot(File("failed-" + what + ".bmp"), got);
        ASSERT_EQ(wrong, 0) << what << ": pixels differ; the screen is in " << dir_;
    }
    // A dialog of the program: centred on the 800 x 600 screen, and as the golden shows it.
    void ExpectDialog(HWND dialog, const char* golden) {
        RECT r{};
        ASSERT_TRUE(dialog && GetWindowRect(dialog, &r)) << "no " << golden;
        EXPECT_EQ(r.left, (800 - (r.right - r.left)) / 2) << golden;
        EXPECT_EQ(r.top, (600 - (r.bottom - r.top)) / 2) << golden;
        ASSERT_NO_FATAL_FAILURE(ExpectScreen(golden, nullptr, 5000, dialog));
    }

    // The pointer moved to a point of the client area (or left where it is, at -1) shows the
    // cursor given (or one that starts so).
    bool CursorAt(int cx, int cy, const std::string& want) const {
        return (cx < 0 || MoveTo(app_.ScreenOf(cx, cy))) &&
               WaitUntil([&] { return ShownCursor().rfind(want, 0) == 0; }, 5000, 50);
    }

    // A fill; the pointer left where it clicked shows the edit cursor again when it ends.
    void Fill(Page& expected, POINT at, uint8_t colour) {
        ASSERT_GT(ApplyFill(expected, at.x, at.y, colour), 0) << "nothing to fill there";
        ASSERT_TRUE(app_.Click(PageLeft + at.x, PageTop + at.y));
        ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 15000));
        EXPECT_TRUE(CursorAt(-1, -1, DesignCursors().edit)) << "no edit cursor after a fill";
    }

    // A modal box of the main window: it waits for the box, checks it and answers it with Enter
    // (OK, Retry) or another key.
    void Answer(const std::string& text, const char* caption = "Hueberry", WORD key = VK_RETURN) {
        HWND box = app_.WaitDialog([&](HWND w) { return Labelled(w, text) != nullptr; });
        ASSERT_NE(box, nullptr) << "no box \"" << text << "\"";
        EXPECT_EQ(TextOf(box), caption);
        EXPECT_EQ(GetWindow(box, GW_OWNER), app_.Main());
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }, 2000));
        // Watched for a moment: a repaint dispatched by the box's own loop must not enable it.
        EXPECT_FALSE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 400, 20))
            << "the main window is enabled under \"" << text << "\"";
        // Enter, not a click: Wine was seen to stack the main window over a box that follows
        // another at once, where its OK button cannot be clicked.
        PressKeys({key});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 15000)) << "the box stayed";
    }

    // A button's face as the design's bitmap has it, pressed (Dn) or not.
    static Shot Face(const std::string& name, bool pressed) {
        Shot face;
        EXPECT_TRUE(LoadShot(WinePath(HB_SOURCE_DIR "/resources/bitmaps/") + name +
                                 (pressed ? "Dn.bmp" : ".bmp"),
                             face))
            << name;
        return face;
    }
    // A key shows its button's pressed face for 125 ms, then its own: the tick it was seen back.
    DWORD ExpectPressedFace(const std::function<void()>& press, int id, const std::string& name) {
        const Shot face[2] = {Face(name, false), Face(name, true)};
        // The pressed face is the normal one's size, its black label 2 pixels lower and 2 to the
        // right (seen 10 pixels in from the edges, inside the frame).
        const int w = face[0].width, h = face[0].height;
        int label = 0, off = 0;
        for (int y = 10; y < h - 12; ++y)
            for (int x = 10; x < w - 12; ++x) {
                const bool dark = !face[0].px[size_t(y * w + x)];
                label += dark;
                off += dark != !face[1].px[size_t((y + 2) * w + x + 2)];
            }
        EXPECT_TRUE(face[1].width == w && face[1].height == h && label > 0 && off == 0) << name;
        HWND button = GetDlgItem(app_.Main(), id);
        DWORD seen[2] = {0, 0}; // pressed, released
        press();
        WaitUntil(
            [&] {
                const std::vector<uint32_t> now = Grab(button).px;
                seen[0] = seen[0] || now != face[1].px ? seen[0] : GetTickCount();
                seen[1] = seen[0] && now == face[0].px ? GetTickCount() : 0;
                return seen[1] != 0;
            },
            2000, 1);
        const int held = int(seen[1] - seen[0]);
        EXPECT_TRUE(seen[0] && seen[1] && held >= 100 && held <= 250)
            << name << " seen pressed at " << seen[0] << " and back at " << seen[1];
        return seen[1];
    }

    void ExpectExit(DWORD want) {
        DWORD code = 0;
        ASSERT_TRUE(app_.WaitExit(15000, code)) << "the program did not end";
        EXPECT_EQ(code, want);
    }

    HWND OpenInfo(const wchar_t* key = L"i") { // letters are taken in either case
        ExpectPressedFace([&] { TypeText(key); }, 1004, "InfoBtn");
        return app_.WaitDialog([](HWND w) { return Labelled(w, "&Done") != nullptr; });
    }
    // Info, then its Printing Options over it.
    HWND OpenOptions(HWND& info) {
        info = OpenInfo();
        return info && app_.ClickControl(info, "&Printing Options")
                   ? app_.WaitDialog([](HWND w) { return Labelled(w, "&Default") != nullptr; })
                   : nullptr;
    }
    // Leaves the options with the key, back to Info, and Info with Done.
    void CloseOptions(HWND info, HWND options, WORD key) {
        PressKeys({key});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) && IsWindowEnabled(info); }, 15000));
        ASSERT_TRUE(app_.ClickControl(info, "&Done"));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(info); }, 15000));
    }
    // The printing layouts' buttons checked, by their labels.
    static std::string Checked(HWND options) {
        std::string checked;
        for (const char* label :
             {"&Default", "&Alternate 1 (if Default fails)", "&Alternate 2 (if all else fails)"})
            checked += SendMessageA(Labelled(options, label), BM_GETCHECK, 0, 0) == BST_CHECKED
                           ? label
                           : "";
        return checked;
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

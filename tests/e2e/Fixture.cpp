// The expected screens (frame, buttons, discs, title, dot background) and the shared steps.
#include "Fixture.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

const ButtonPlace CommandButtons[6] = {
    {1001, 12, 12, 96, 45},  {1002, 318, 12, 79, 45},  {1003, 403, 12, 79, 45},
    {1004, 692, 12, 96, 45}, {1005, 267, 543, 53, 45}, {1006, 480, 543, 53, 45},
};

const ButtonPlace ColourButtons[36] = {
    {2000, 114, 12, 45, 45},  {2001, 165, 12, 45, 45},  {2002, 216, 12, 45, 45},
    {2003, 267, 12, 45, 45},  {2004, 488, 12, 45, 45},  {2005, 539, 12, 45, 45},
    {2006, 590, 12, 45, 45},  {2007, 641, 12, 45, 45},  {2008, 62, 543, 45, 45},
    {2009, 114, 543, 45, 45}, {2010, 165, 543, 45, 45}, {2011, 216, 543, 45, 45},
    {2012, 539, 543, 45, 45}, {2013, 590, 543, 45, 45}, {2014, 641, 543, 45, 45},
    {2015, 692, 543, 45, 45}, {2016, 12, 84, 45, 45},   {2017, 12, 135, 45, 45},
    {2018, 12, 186, 45, 45},  {2019, 12, 237, 45, 45},  {2020, 12, 288, 45, 45},
    {2021, 12, 339, 45, 45},  {2022, 12, 390, 45, 45},  {2023, 12, 441, 45, 45},
    {2024, 12, 492, 45, 45},  {2025, 12, 543, 45, 45},  {2026, 743, 84, 45, 45},
    {2027, 743, 135, 45, 45}, {2028, 743, 186, 45, 45}, {2029, 743, 237, 45, 45},
    {2030, 743, 288, 45, 45}, {2031, 743, 339, 45, 45}, {2032, 743, 390, 45, 45},
    {2033, 743, 441, 45, 45}, {2034, 743, 492, 45, 45}, {2035, 743, 543, 45, 45},
};

namespace {

const char* const CommandFaces[6] = {"QuitBtn", "PrintBtn", "ClearBtn",
                                     "InfoBtn", "UpBtn",    "DownBtn"};

// The discs painted on the colour buttons, as runs of pixels: row, first x, last x (button
// coordinates).
struct Run {
    int row, x0, x1;
};
const Run SmallDisc[] = {
    {12, 19, 25}, {13, 17, 27}, {14, 16, 28}, {15, 15, 29}, {16, 14, 30}, {17, 13, 31},
    {18, 13, 31}, {19, 12, 32}, {20, 12, 32}, {21, 12, 32}, {22, 12, 32}, {23, 12, 32},
    {24, 12, 32}, {25, 12, 32}, {26, 13, 31}, {27, 13, 31}, {28, 14, 30}, {29, 15, 29},
    {30, 16, 28}, {31, 17, 27}, {32, 19, 25},
};
const Run LargeDisc[] = {
    {3, 18, 26},  {4, 15, 29},  {5, 13, 31},  {6, 11, 33},  {7, 10, 34}, {8, 9, 35},  {9, 8, 36},
    {10, 7, 37},  {11, 6, 38},  {12, 6, 38},  {13, 5, 39},  {14, 5, 39}, {15, 4, 40}, {16, 4, 40},
    {17, 4, 40},  {18, 3, 41},  {19, 3, 41},  {20, 3, 41},  {21, 3, 41}, {22, 3, 41}, {23, 3, 41},
    {24, 3, 41},  {25, 3, 41},  {26, 3, 41},  {27, 4, 40},  {28, 4, 40}, {29, 4, 40}, {30, 5, 39},
    {31, 5, 39},  {32, 6, 38},  {33, 6, 38},  {34, 7, 37},  {35, 8, 36}, {36, 9, 35}, {37, 10, 34},
    {38, 11, 33}, {39, 13, 31}, {40, 15, 29}, {41, 18, 26},
};

constexpr uint32_t Black = Rgb(0, 0, 0), White = Rgb(255, 255, 255), Grey = Rgb(128, 128, 128),
                   LightGrey = Rgb(192, 192, 192), Yellow = Rgb(255, 255, 0);

bool In(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

// The frame's colour at a client pixel; false where the frame leaves the pixel to the picture, a
// button or the title area, and at the corners where bevel lines meet.
bool FrameColour(int x, int y, uint32_t& rgb) {
    // With the window's border, only the innermost of the three outer black lines shows on the
    // right and at the bottom.
    if (x <= 2 || y <= 2 || x == 797 || y == 597)
        return rgb = Black, true;
    if (In(x, 3, 5) && In(y, 6, 593))
        return rgb = White, true;
    if (In(y, 3, 5) && In(x, 6, 793))
        return rgb = White, true;
    if (In(x, 794, 796) && In(y, 6, 593))
        return rgb = Grey, true;
    if (In(y, 594, 596) && In(x, 6, 793))
        return rgb = Grey, true;
    const bool panel = (In(x, 6, 793) && (In(y, 6, 62) || In(y, 537, 593))) ||
                       (In(y, 63, 536) && (In(x, 6, 62) || In(x, 737, 793)));
    if (panel) {
        for (const ButtonPlace& b : CommandButtons)
            if (In(x, b.x, b.x + b.width - 1) && In(y, b.y, b.y + b.height - 1))
                return false;
        for (const ButtonPlace& b : ColourButtons)
            if (In(x, b.x, b.x + b.width - 1) && In(y, b.y, b.y + b.height - 1))
                return false;
        if (In(x, 326, 473) && In(y, 543, 587))
            return false;
        return rgb = LightGrey, true;
    }
    // The sunken bevel around the well: grey top and left, white right and bottom.
    if (In(x, 63, 65) && In(y, 66, 533))
        return rgb = Grey, true;
    if (In(y, 63, 65) && In(x, 66, 733))
        return rgb = Grey, true;
    if (In(x, 734, 736) && In(y, 66, 533))
        return rgb = White, true;
    if (In(y, 534, 536) && In(x, 66, 733))
        return rgb = White, true;
    // The four black lines around the picture.
    if ((In(x, 66, 69) || In(x, 730, 733)) && In(y, 66, 533))
        return rgb = Black, true;
    if ((In(y, 66, 69) || In(y, 530, 533)) && In(x, 66, 733))
        return rgb = Black, true;
    return false;
}

void PutImage(ScreenModel& model, const char* name, int left, int top) {
    Image image;
    if (!LoadProgramBitmap(name, image)) {
        model.problems +=
            std::string("the bitmap ") + name + " is not among the program's resources; ";
        return;
    }
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            model.Set(left + x, top + y, image.At(x, y));
}

void PutTitle(ScreenModel& model, int row) {
    Image titles;
    if (!LoadProgramBitmap("Titles", titles) || titles.width < 140 ||
        titles.height < 10 * (row + 1)) {
        model.problems += "the Titles bitmap is missing or too small; ";
        return;
    }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 140; ++x)
            model.Set(330 + x, 561 + y, titles.At(x, row * 10 + y));
}

void PutPage(ScreenModel& model, const Page& page) {
    for (int y = 0; y < StdPageHeight; ++y)
        for (int x = 0; x < StdPageWidth; ++x)
            model.Set(PageLeft + x, PageTop + y, page.ColourOf(page.At(x, y)));
}

void PutColourButton(ScreenModel& model, const ButtonPlace& b, bool selected) {
    PutImage(model, selected ? "ColorBtnDn" : "ColorBtn", b.x, b.y);
    const uint32_t rgb = IndexRgb(b.id - 1999);
    for (const Run& r : selected ? std::vector<Run>(std::begin(LargeDisc), std::end(LargeDisc))
                                 : std::vector<Run>(std::begin(SmallDisc), std::end(SmallDisc)))
        for (int x = r.x0; x <= r.x1; ++x)
            model.Set(b.x + x, b.y + r.row, rgb);
}

} // namespace

POINT ButtonCentre(int id) {
    for (const ButtonPlace& b : CommandButtons)
        if (b.id == id)
            return {b.x + b.width / 2, b.y + b.height / 2};
    for (const ButtonPlace& b : ColourButtons)
        if (b.id == id)
            return {b.x + b.width / 2, b.y + b.height / 2};
    return {-1, -1};
}

ScreenModel DotBackground(RECT except) {
    ScreenModel model;
    for (int y = 0; y < ModelHeight; ++y) {
        for (int x = 0; x < ModelWidth; ++x) {
            if (x >= except.left && x < except.right && y >= except.top && y < except.bottom)
                continue;
            // The tile: a vertical bar in column 4 over rows 0-6 and a horizontal bar in row 3 over
            // columns 1-7, tiled from the client origin.
            const int tx = x % 8, ty = y % 8;
            const bool plus = (tx == 4 && ty <= 6) || (ty == 3 && tx >= 1);
            model.Set(x, y, plus ? Black : Yellow);
        }
    }
    return model;
}

ScreenModel RunningScreen(const Page& page, int titleRow, int selectedColourId) {
    ScreenModel model;
    for (int y = 0; y < ModelHeight; ++y) {
        for (int x = 0; x < ModelWidth; ++x) {
            uint32_t rgb;
            if (FrameColour(x, y, rgb))
                model.Set(x, y, rgb);
        }
    }
    PutPage(model, page);
    PutImage(model, "TitleArea", 326, 543);
    PutTitle(model, titleRow);
    for (int i = 0; i < 6; ++i)
        PutImage(model, CommandFaces[i], CommandButtons[i].x, CommandButtons[i].y);
    for (const ButtonPlace& b : ColourButtons)
        PutColourButton(model, b, b.id == selectedColourId);
    return model;
}

ScreenModel PageAndTitle(const Page& page, int titleRow) {
    ScreenModel model;
    PutPage(model, page);
    if (titleRow >= 0)
        PutTitle(model, titleRow);
    return model;
}

::testing::AssertionResult Matches(const ScreenModel& model, const Shot& client, const char* what) {
    if (!model.problems.empty())
        return ::testing::AssertionFailure() << what << ": " << model.problems;
    if (client.width < ModelWidth - 2 || client.height < ModelHeight - 2 ||
        client.px.size() != size_t(client.width) * client.height)
        return ::testing::AssertionFailure() << what << ": the client area could not be read whole";
    int wrong = 0;
    std::string first;
    for (int y = 0; y < std::min(client.height, ModelHeight); ++y) {
        for (int x = 0; x < std::min(client.width, ModelWidth); ++x) {
            const size_t i = size_t(y) * ModelWidth + x;
            const uint32_t got = client.px[size_t(y) * client.width + x];
            if (!model.known[i] || Near(model.colour[i], got))
                continue;
            if (++wrong <= 5) {
                char line[96];
                std::snprintf(line, sizeof line, " (%d,%d) expected %s got %s;", x, y,
                              Hex(model.colour[i]).c_str(), Hex(got).c_str());
                first += line;
            }
        }
    }
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << ": " << wrong << " pixels differ, first at" << first;
}

// ---- the fixture ----

void E2eTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::make_unique<WorkDir>(std::string(info->test_suite_name()) + "." + info->name());
}

void E2eTest::TearDown() {
    if (HasFailure()) {
        const std::string shot = dir_->File("failure-screen.bmp");
        GrabScreen().SaveBmp(shot);
        std::printf("Screen saved to %s\nWindows of the program:\n%s", shot.c_str(),
                    Describe(app_.Pid()).c_str());
    }
    app_.Kill();
}

Shot E2eTest::GrabClient() const {
    RECT client{};
    GetClientRect(app_.Main(), &client);
    return app_.GrabClient(0, 0, client.right, client.bottom);
}

void E2eTest::SeedDelivered() {
    for (const char* name : PageFiles)
        ASSERT_TRUE(dir_->CopyDelivered(name)) << "data/" << name << " could not be copied";
    ASSERT_TRUE(dir_->CopyDelivered("hueberry.mid")) << "data/hueberry.mid could not be copied";
}

Page E2eTest::ReadPage(int index) const {
    Page page;
    EXPECT_TRUE(LoadPage(dir_->File(PageFiles[index]), page))
        << PageFiles[index] << " is not a readable page";
    return page;
}

void E2eTest::Launch() {
    ASSERT_TRUE(app_.Start(*dir_))
        << "could not start " << ProgramPath() << " (error " << GetLastError() << ")";
    ASSERT_NE(app_.WaitMainWindow(StartTimeoutMs), nullptr)
        << "no visible HUEBERRYWIN window appeared";
}

HWND E2eTest::WaitIntro() {
    // The intro is the program's dialog with only an OK button: no static text, unlike a message
    // box.
    HWND intro = app_.WaitDialog(
        [&](HWND w) {
            return GetWindow(w, GW_OWNER) == app_.Main() && GetDlgItem(w, IDOK) &&
                   StaticTexts(w).empty();
        },
        StartTimeoutMs);
    EXPECT_NE(intro, nullptr) << "the intro dialog did not appear";
    return intro;
}

void E2eTest::CloseIntro(bool withEscape) {
    HWND intro = WaitIntro();
    ASSERT_NE(intro, nullptr);
    if (withEscape) {
        // Keys go to the window in front; the intro must have taken the activation first.
        WaitUntil([&] { return GetForegroundWindow() == intro; }, 2000);
        PressKey(VK_ESCAPE);
    } else
        ASSERT_TRUE(app_.ClickControl(intro, IDOK));
    ASSERT_TRUE(
        WaitUntil([&] { return !IsWindow(intro) || !IsWindowVisible(intro); }, ScreenTimeoutMs))
        << "the intro dialog stayed open";
}

void E2eTest::StartRunning() {
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(CloseIntro(false));
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(RunningScreen(ReadPage(0), TitleRows[0], 2001), "running screen"));
}

void E2eTest::ExpectScreen(const ScreenModel& model, const char* what, int timeoutMs) {
    ::testing::AssertionResult last = ::testing::AssertionFailure();
    WaitUntil(
        [&] {
            last = Matches(model, GrabClient(), what);
            return bool(last) || !app_.Running();
        },
        timeoutMs, 30);
    ASSERT_TRUE(app_.Running()) << "the program ended while waiting for " << what;
    ASSERT_TRUE(last);
}

void E2eTest::ExpectPage(const Page& page, int index) {
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(PageAndTitle(page, TitleRows[index]), PageFiles[index]));
}

void E2eTest::Fill(Page& expected, int x, int y, uint8_t colour) {
    const int changed = ApplyFill(expected, x, y, colour);
    ASSERT_GT(changed, 0) << "a fill at (" << x << "," << y << ") would change nothing";
    ASSERT_TRUE(app_.Click(PageLeft + x, PageTop + y));
    // The fill is paced at about 25,000 pixels a second; allow it several times that.
    ASSERT_NO_FATAL_FAILURE(
        ExpectScreen(PageAndTitle(expected, -1), "the filled region", 10000 + changed / 5));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, ScreenTimeoutMs))
        << "the main window stayed disabled after the fill";
    expected.file.bfReserved1 = 0;
}

void E2eTest::PickColour(int id) {
    const POINT c = ButtonCentre(id);
    ASSERT_TRUE(app_.Click(c.x, c.y));
}

HWND E2eTest::WaitMessageBox(const std::string& text, const std::string& caption) {
    HWND box = app_.WaitDialog(
        [&](HWND w) {
            for (const std::string& t : StaticTexts(w))
                if (t == text)
                    return true;
            return false;
        },
        ScreenTimeoutMs);
    EXPECT_NE(box, nullptr) << "no message box \"" << text << "\"; windows:\n"
                            << Describe(app_.Pid());
    if (box) {
        EXPECT_EQ(TextOf(box), caption);
    }
    return box;
}

void E2eTest::ExpectModal(HWND dialog) {
    const std::string text = StaticTexts(dialog).empty() ? "" : StaticTexts(dialog)[0];
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 2000))
        << "\"" << text << "\": the box did not become the active window";
    // A modal box keeps its owner disabled beneath it. Watch it for a moment, since what could
    // enable the main window (a repaint dispatched by the box's own message loop) comes just after
    // it opens.
    EXPECT_FALSE(WaitUntil([&] { return IsWindowEnabled(app_.Main()) != 0; }, 400, 20))
        << "\"" << text << "\": the main window is enabled while the box is up";
}

void E2eTest::Answer(HWND box) {
    ExpectModal(box);
    HWND ok = GetDlgItem(box, IDOK);
    RECT r{};
    GetWindowRect(ok, &r);
    if (WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}) == ok) {
        ASSERT_TRUE(app_.ClickControl(box, IDOK));
    } else {
        // Wine quirk: when one box follows another at once, Wine was seen to stack the main window
        // above the second box, though the box is the active window and the main window disabled.
        // Its OK button then cannot be clicked, but Enter reaches it.
        PressKey(VK_RETURN);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, ScreenTimeoutMs))
        << "the message box stayed open";
}

void E2eTest::ExpectExit(DWORD code, int timeoutMs) {
    DWORD got = 0;
    ASSERT_TRUE(app_.WaitExit(timeoutMs, got)) << "the program did not end";
    EXPECT_EQ(got, code);
}

void E2eTest::Quit() {
    PressKey('Q');
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
}

} // namespace e2e

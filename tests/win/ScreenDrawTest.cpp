// Frame, background, title strip and buttons drawn into memory contexts and read back pixel by
// pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/App.h"
#include "colouring/ColourTable.h"
#include "page/PageSet.h"
#include "screen/Buttons.h"
#include "screen/Drawbrdr.h"
#include "screen/ScreenTables.h"

namespace {

using Pixel = uint32_t; // 0xRRGGBB
constexpr Pixel Rgb(int r, int g, int b) {
    return Pixel(r) << 16 | Pixel(g) << 8 | Pixel(b);
}
constexpr Pixel Black = 0, White = Rgb(255, 255, 255), Grey = Rgb(128, 128, 128),
                LightGrey = Rgb(192, 192, 192), Untouched = Rgb(1, 2, 3);
Pixel Of(const ColourEntry& c) {
    return Rgb(c.red, c.green, c.blue);
}

struct Image {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;
    Pixel At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// The pixels of a bitmap that is not selected into any context, top row first.
Image ReadBitmap(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    Image image{info.bmWidth, info.bmHeight,
                std::vector<Pixel>(size_t(info.bmWidth) * info.bmHeight)};
    BITMAPINFO want{};
    want.bmiHeader = {
        sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, UINT(info.bmHeight), image.pixels.data(), &want, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (Pixel& p : image.pixels)
        p &= 0xFFFFFF;
    return image;
}

// A memory context over a screen-compatible bitmap filled with Untouched.
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ original;
    Canvas(int width, int height) {
        const HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        original = SelectObject(dc, bitmap);
        const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        const RECT all = {0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Image Read() {
        SelectObject(dc, original);
        Image image = ReadBitmap(bitmap);
        SelectObject(dc, bitmap);
        return image;
    }
};

// How many pixels of a region of the screen differ from the source image placed there.
int Mismatches(const Image& screen, int left, int top, const Image& source, int sourceTop,
               int height) {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < source.width; ++x)
            count += screen.At(left + x, top + y) != source.At(x, sourceTop + y);
    return count;
}

class ScreenDraw : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        hInst = GetModuleHandleA(nullptr);
        const char* names[6] = {"QuitBtn", "PrintBtn", "ClearBtn", "InfoBtn", "UpBtn", "DownBtn"};
        for (int i = 0; i < 6; ++i) {
            hbmCommand[i] = LoadBitmapA(hInst, names[i]);
            hbmCommandDn[i] = LoadBitmapA(hInst, (std::string(names[i]) + "Dn").c_str());
        }
        hbmDotPattern = LoadBitmapA(hInst, "DotPattern");
        hbmTitleArea = LoadBitmapA(hInst, "TitleArea");
        hbmColorBtn = LoadBitmapA(hInst, "ColorBtn");
        hbmColorBtnDn = LoadBitmapA(hInst, "ColorBtnDn");
        hbmTitles = LoadBitmapA(hInst, "Titles");
    }
    void SetUp() override {
        for (HBITMAP b : {hbmDotPattern, hbmTitleArea, hbmColorBtn, hbmColorBtnDn, hbmTitles,
                          hbmCommand[1], hbmCommandDn[1]})
            ASSERT_NE(nullptr, b) << "the artwork must be built into the test program";
        SelectedColourId = 2001;
    }
};

TEST_F(ScreenDraw, FrameDrawsItsRingsAndLeavesThePictureAndTheContextAlone) {
    Canvas canvas(800, 600);
    const HGDIOBJ pen = SelectObject(canvas.dc, GetStockObject(WHITE_PEN));
    const HGDIOBJ brush = SelectObject(canvas.dc, GetStockObject(BLACK_BRUSH));
    DrawFrame(canvas.dc);
    EXPECT_EQ(GetStockObject(WHITE_PEN), GetCurrentObject(canvas.dc, OBJ_PEN));
    EXPECT_EQ(GetStockObject(BLACK_BRUSH), GetCurrentObject(canvas.dc, OBJ_BRUSH));
    SelectObject(canvas.dc, pen);
    SelectObject(canvas.dc, brush);

    const Image screen = canvas.Read();
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            ASSERT_EQ(x >= 70 && x <= 729 && y >= 70 && y <= 529, screen.At(x, y) == Untouched)
                << x << "," << y;
    // From each edge to the picture: black border, raised bevel, panel, sunken bevel, black border.
    auto ring = [](int d, bool nearSide) {
        return d < 3    ? Black
               : d < 6  ? (nearSide ? White : Grey)
               : d < 63 ? LightGrey
               : d < 66 ? (nearSide ? Grey : White)
                        : Black;
    };
    for (int d = 0; d < 70; ++d) {
        EXPECT_EQ(ring(d, true), screen.At(d, 300)) << "left " << d;
        EXPECT_EQ(ring(d, false), screen.At(799 - d, 300)) << "right " << d;
        EXPECT_EQ(ring(d, true), screen.At(400, d)) << "top " << d;
        EXPECT_EQ(ring(d, false), screen.At(200, 599 - d)) << "bottom " << d;
    }
    EXPECT_EQ(Black, screen.At(730, 530));
    const Image area = ReadBitmap(hbmTitleArea);
    ASSERT_EQ(148, area.width);
    EXPECT_EQ(0, Mismatches(screen, 326, 543, area, 0, 45));
    EXPECT_EQ(LightGrey, screen.At(325, 565));
    EXPECT_EQ(LightGrey, screen.At(474, 565));
}

TEST_F(ScreenDraw, DotBackgroundTilesTheWholeScreen) {
    Canvas canvas(800, 600);
    DrawDotBackground(canvas.dc);
    const Image tile = ReadBitmap(hbmDotPattern), screen = canvas.Read();
    ASSERT_GT(std::set<Pixel>(tile.pixels.begin(), tile.pixels.end()).size(), 1u);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            ASSERT_EQ(tile.At(x % 8, y % 8), screen.At(x, y)) << x << "," << y;
}

TEST_F(ScreenDraw, TitleStripShowsTheRowOfTheCurrentPage) {
    const Image titles = ReadBitmap(hbmTitles);
    ASSERT_EQ(510, titles.height);
    // BONES (row 10) and BUY ME (row 0) must differ for the comparison to mean anything.
    ASSERT_GT(Mismatches(titles, 0, 0, titles, 100, 10), 20);
    const int saved = CurrentPage;
    for (int page : {0, 5}) {
        Canvas canvas(800, 600);
        CurrentPage = page;
        DrawTitleStrip(canvas.dc);
        const Image screen = canvas.Read();
        EXPECT_EQ(0, Mismatches(screen, 330, 561, titles, page == 0 ? 100 : 0, 10)) << page;
        EXPECT_EQ(Untouched, screen.At(329, 561));
        EXPECT_EQ(Untouched, screen.At(330, 571));
        EXPECT_EQ(Untouched, screen.At(470, 570));
    }
    CurrentPage = saved;
}

Image DrawItem(int id, UINT state, int width = 45) {
    Canvas canvas(width, 45);
    DRAWITEMSTRUCT item{ODT_BUTTON, UINT(id),          0, ODA_DRAWENTIRE, state, nullptr,
                        canvas.dc,  {0, 0, width, 45}, 0};
    EXPECT_EQ(1, DrawButton(&item));
    return canvas.Read();
}

// Exactly the disc's pixels have the colour (the artwork holds none of the colours used here).
void ExpectDisc(const Image& face, const DiscList& disc, Pixel colour, const char* what) {
    std::set<std::pair<int, int>> points;
    WalkDisc(disc, [&](int x, int y) { points.insert({x, y}); });
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 45; ++x)
            ASSERT_EQ(points.count({x, y}) == 1, face.At(x, y) == colour)
                << what << " at " << x << "," << y;
}

TEST_F(ScreenDraw, ColourButtonShowsTheLargeDiscWhenSelectedOrFocusedInItsOwnColour) {
    const Pixel colour11 = Of(ColourTable[11]), colour3 = Of(ColourTable[3]);
    ExpectDisc(DrawItem(2010, 0), SmallDisc, colour11, "unselected");
    ExpectDisc(DrawItem(2010, ODS_SELECTED), SmallDisc, colour11, "held down");
    ExpectDisc(DrawItem(2010, ODS_FOCUS), LargeDisc, colour11, "focused");
    SelectedColourId = 2010;
    ExpectDisc(DrawItem(2010, 0), LargeDisc, colour11, "selected");
    // Another button repaints the whole shared face in its colour; the other face keeps its disc.
    const Image face = DrawItem(2002, 0);
    ExpectDisc(face, SmallDisc, colour3, "button 2002");
    ExpectDisc(ReadBitmap(hbmColorBtn), SmallDisc, colour3, "ColorBtn");
    ExpectDisc(ReadBitmap(hbmColorBtnDn), LargeDisc, colour11, "ColorBtnDn");
    EXPECT_EQ(ReadBitmap(hbmColorBtn).pixels, face.pixels);
}

TEST_F(ScreenDraw, CommandButtonShowsItsPressedFaceOnlyWhileSelected) {
    const Image normal = ReadBitmap(hbmCommand[1]), pressed = ReadBitmap(hbmCommandDn[1]);
    ASSERT_NE(normal.pixels, pressed.pixels);
    EXPECT_EQ(normal.pixels, DrawItem(IdPrint, 0, 79).pixels);
    EXPECT_EQ(normal.pixels, DrawItem(IdPrint, ODS_FOCUS, 79).pixels);
    EXPECT_EQ(pressed.pixels, DrawItem(IdPrint, ODS_SELECTED, 79).pixels);
    // Ids of neither kind have no bitmap or colour to index and draw nothing.
    for (int id : {0, 1000, 2036})
        EXPECT_EQ(std::vector<Pixel>(45 * 45, Untouched), DrawItem(id, ODS_FOCUS).pixels) << id;
}

} // namespace

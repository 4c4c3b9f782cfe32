// The dotted background, the bevelled frame around the picture well, and the title strip.
#include "screen/Drawbrdr.h"

#include "page/PageSet.h"
#include "screen/ScreenTables.h"
#include "support/Gdi.h"
#include "support/Messages.h"
#include "support/Program.h"

namespace {

constexpr int TileSize = 8;
constexpr POINT TitleAreaAt = {326, 543};
constexpr SIZE TitleAreaSize = {148, 45};
constexpr POINT TitleStripAt = {330, 561};
constexpr SIZE TitleStripSize = {140, 10};

struct Pen {
    HPEN pen;
    explicit Pen(COLORREF colour) : pen(CreatePen(PS_SOLID, 1, colour)) {}
    ~Pen() { DeleteObject(pen); }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
};

} // namespace

void DrawFrame(HDC dc) {
    const Pen white(RGB(255, 255, 255)), grey(RGB(128, 128, 128)), lightGrey(RGB(192, 192, 192));
    const HPEN pens[] = {HPEN(GetStockObject(BLACK_PEN)), white.pen, grey.pen, lightGrey.pen};
    const HBRUSH brush = HBRUSH(GetStockObject(LTGRAY_BRUSH));

    const HGDIOBJ previousPen = SelectObject(dc, pens[int(FrameShapes[0].pen)]);
    HGDIOBJ previousBrush = nullptr;
    ShapePen selected = FrameShapes[0].pen;
    for (const FrameShape& shape : FrameShapes) {
        if (shape.pen != selected) {
            SelectObject(dc, pens[int(shape.pen)]);
            selected = shape.pen;
        }
        POINT points[5];
        for (int i = 0; i < shape.count; ++i)
            points[i] = {shape.points[i].x, shape.points[i].y};
        if (shape.kind == ShapeKind::Polyline) {
            Polyline(dc, points, shape.count);
        } else {
            if (!previousBrush)
                previousBrush = SelectObject(dc, brush);
            Polygon(dc, points, shape.count);
        }
    }

    {
        const MemoryDc memory(dc);
        SelectObject(memory.dc, hbmTitleArea);
        BitBlt(dc, TitleAreaAt.x, TitleAreaAt.y, TitleAreaSize.cx, TitleAreaSize.cy, memory.dc, 0,
               0, SRCCOPY);
    }

    // The pens must be out of the context before their helpers delete them.
    SelectObject(dc, previousPen);
    if (previousBrush)
        SelectObject(dc, previousBrush);
}

void DrawDotBackground(HDC dc) {
    // Composed off-screen so that the 7,500 tile copies reach the screen in one.
    HBITMAP HBMSave = CreateCompatibleBitmap(dc, ScreenWidth, ScreenHeight);
    {
        const MemoryDc screen(dc), tile(dc);
        SelectObject(screen.dc, HBMSave);
        SelectObject(tile.dc, hbmDotPattern);
        for (int y = 0; y < ScreenHeight; y += TileSize)
            for (int x = 0; x < ScreenWidth; x += TileSize)
                BitBlt(screen.dc, x, y, TileSize, TileSize, tile.dc, 0, 0, SRCCOPY);
        BitBlt(dc, 0, 0, ScreenWidth, ScreenHeight, screen.dc, 0, 0, SRCCOPY);
    }
    if (!DeleteObject(HBMSave))
        AssertBox("DeleteObject (HBMSave)", "Drawbrdr", 128);
}

void DrawTitleStrip(HDC dc) {
    // A 1-bit source takes the target's text colour for 0 and its background colour for 1.
    const MemoryDc memory(dc);
    SelectObject(memory.dc, hbmTitles);
    BitBlt(dc, TitleStripAt.x, TitleStripAt.y, TitleStripSize.cx, TitleStripSize.cy, memory.dc, 0,
           PageSet[CurrentPage].titleRow * TitleStripSize.cy, SRCCOPY);
}

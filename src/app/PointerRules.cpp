// The picture zone and the rules of a click.
#include "app/PointerRules.h"

#include "support/ScreenLayout.h"

bool InPictureZone(int x, int y) {
    return !(x > PictureZoneRight || x < PictureLeft || y > PictureZoneBottom || y < PictureTop);
}

bool ClickStartsFill(const PageView& page, int x, int y, int selectedIndex, int& pictureX,
                     int& pictureY) {
    pictureX = x - PictureLeft, pictureY = y - PictureTop;
    // Before a page is loaded its size is 0 x 0 and every click is refused.
    if (!page.pixels || pictureX < 0 || pictureY < 0 || pictureX >= page.width ||
        pictureY >= page.height)
        return false;
    const uint8_t pixel = page.At(pictureX, pictureY);
    return pixel != OutlineIndex && pixel != selectedIndex;
}

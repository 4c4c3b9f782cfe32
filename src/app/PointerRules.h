// Where the pointer is and what a click there does: the picture zone and the rules of a click.
#pragma once
#include "page/Page.h"

// Whether a point of the main window lies in the picture zone, where the edit cursor shows.
bool InPictureZone(int x, int y);

// Whether a click at a point of the main window starts a fill: it must land on the page, on a
// pixel that is neither outline nor already the selected colour. Gives the picture position.
bool ClickStartsFill(const PageView& page, int x, int y, int selectedIndex, int& pictureX,
                     int& pictureY);

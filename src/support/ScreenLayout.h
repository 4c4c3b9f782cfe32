// The fixed screen the program draws on: its size and where the picture sits in the main window.
#pragma once

constexpr int ScreenWidth = 800, ScreenHeight = 600;
// The picture's top-left pixel in the main window's client area.
constexpr int PictureLeft = 70, PictureTop = 70;
// The zone of the edit cursor, both ends included: one column and one row more than the 660 x 460
// picture, the innermost frame line at x 730 and y 530 belonging to it.
constexpr int PictureZoneRight = 730, PictureZoneBottom = 530;

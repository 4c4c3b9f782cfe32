// The dotted background, the bevelled frame around the picture well, and the title strip.
#pragma once
#include <windows.h>

void DrawFrame(HDC dc);
void DrawDotBackground(HDC dc);
void DrawTitleStrip(HDC dc);

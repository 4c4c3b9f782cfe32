// The region fill and the clearing wipe as the program runs them: timing, drawing, messages and
// sound.
#pragma once
#include <windows.h>

void FillRegion(int x, int y, int colour);
int RandomBelow(int n);
int ClearCommand(HWND window);
void WipePicture();
// Whether a fill or a wipe is running (a second one must never start inside it).
extern bool AnimationRunning;

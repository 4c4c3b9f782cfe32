// The region fill and the clearing wipe as the program runs them: timing, drawing, messages and
// sound.
#pragma once

void FillRegion(int x, int y, int colour);
int RandomBelow(int n);
// The clearing wipe over the page on show; 1 when the page went blank.
int WipePicture();
// Whether a fill or a wipe is running (a second one must never start inside it).
extern bool AnimationRunning;

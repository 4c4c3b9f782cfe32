// The clearing wipe: a diamond-shaped wave from the centre that blanks all but the outline.
#pragma once
#include <cstdint>

#include "colouring/Animation.h"
#include "page/Page.h"

constexpr int WipeStartX = 330, WipeStartY = 230; // the centre of the standard page
constexpr int WipeBandRings = 6;                  // each band widens the diamond by six rings
constexpr uint32_t WipeFrameGap = 30;             // at least 30 ms between frames
constexpr int WipeStartEffect = 7, WipeLoopEffect = 6;

// Blanks every non-outline pixel of the page band by band, using visited (width x height bytes,
// laid out like the page) as its map of reached pixels. Draws, pumps messages and plays sounds
// through host. Returns 1 when the page is blank; 0 when refused untouched (not a 660 x 460 page, a
// missing buffer, or another animation running) or when a queue node could not be had, in which
// case the wave stops with every pixel either as it was or blank, draws its last frame and stops
// its looped sound.
int WipePictureCore(const PageView& page, uint8_t* visited, AnimationHost& host);

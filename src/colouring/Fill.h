// The region fill, a paced breadth-first flood of one region, and the pick of its opening sound.
#pragma once
#include <cstdint>

#include "colouring/Animation.h"
#include "page/Page.h"

// Set while a fill or a wipe runs. A message dispatched during one may re-enable the main window
// and let a click or a command through; both animations refuse to start while this is set.
extern bool AnimationRunning;

constexpr int FillFramePoints = 501;     // a frame after every 501 processed points
constexpr uint32_t FillFrameGap = 20;    // at least 20 ms between frames
constexpr uint32_t LoopSoundDelay = 450; // no looped sound in an animation's first 450 ms
constexpr int FillLoopEffect = 5;

// Floods the region of the page at (x, y) with colour: every pixel joined to the seed through
// pixels that are neither outline nor colour takes colour. Draws, pumps messages and plays sounds
// through host. Returns 1 when the region is done; 0 when refused (another animation runs, or the
// seed is off the page) or when a queue node could not be had, in which case the fill stops with
// every pixel either as it was or colour, draws its last frame and stops its looped sound.
int FillRegionCore(const PageView& page, int x, int y, uint8_t colour, AnimationHost& host);

// A number 0 ... n - 1 from a generator reseeded with tick: one step of state * 214013 + 2531011,
// bits 16-30. Two calls in the same millisecond agree. 0 for n <= 0.
int RandomBelowCore(uint32_t tick, int n);

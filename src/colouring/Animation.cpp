// The animation clock of the fill and the wipe, and the guard that keeps them apart.
#include "colouring/Animation.h"
#include "colouring/Fill.h"

uint32_t now;
uint32_t lastFrameTick;
uint32_t loopSoundTick;
bool loopSoundOn;
bool AnimationRunning;

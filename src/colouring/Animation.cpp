// The animation clock of the fill and the wipe, and the guard that keeps them apart.
#include "colouring/Animation.h"
#include "colouring/Fill.h"

uint32_t now;
uint32_t lastFrameTick;
uint32_t loopSoundTick;
bool loopSoundOn;
bool AnimationRunning;

void DrawPacedFrame(AnimationHost& host, uint32_t gap, int loopEffect) {
    while (now - lastFrameTick < gap)
        now = host.Tick();
    lastFrameTick = now;
    // A signed difference, like the pace's: a plain comparison would start the loop at once, or
    // never, when the tick count wraps during the first 450 ms.
    if (!loopSoundOn && int32_t(now - loopSoundTick) > 0) {
        host.LoopEffect(loopEffect);
        loopSoundOn = true;
    }
    host.ShowPage();
}

void FinishAnimation(AnimationHost& host) {
    host.ShowPage();
    if (loopSoundOn)
        host.StopEffect();
}

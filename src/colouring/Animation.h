// What the region fill and the clearing wipe need from the platform, and the animation clock they
// share.
#pragma once
#include <cstdint>

class AnimationHost {
  public:
    virtual ~AnimationHost() = default;
    virtual uint32_t Tick() = 0;    // milliseconds since system start
    virtual void ShowPage() = 0;    // draw the page at its place on screen
    virtual void PumpMessage() = 0; // dispatch one waiting message, if any
    virtual void PlayEffect(int number) = 0;
    virtual void LoopEffect(int number) = 0;
    virtual void StopEffect() = 0;
};

// The animation clock: one animation runs at a time.
extern uint32_t now;
extern uint32_t lastFrameTick;
extern uint32_t loopSoundTick;
extern bool loopSoundOn;

// Waits, spinning on the tick count, until gap milliseconds have passed since the last frame (an
// unsigned difference, so the pace holds across the count's wrap); starts the looped sound at the
// first frame after the animation's first 450 ms; draws the frame.
void DrawPacedFrame(AnimationHost& host, uint32_t gap, int loopEffect);
// Draws the last frame and silences the looped sound if it was started.
void FinishAnimation(AnimationHost& host);

// The region fill and its opening-sound pick.
#include "colouring/Fill.h"

#include "colouring/PointQueue.h"

namespace {

// Takes one neighbour of the point being processed: queues it and gives it colour unless it is
// outline or already colour. Returns 0 when its node could not be had (the pixel keeps its value).
int Reach(const PageView& page, PointQueue& queue, int x, int y, uint8_t colour) {
    uint8_t& pixel = page.At(x, y);
    if (pixel == OutlineIndex || pixel == colour)
        return 1;
    if (!queue.Append(x, y))
        return 0;
    pixel = colour;
    return 1;
}

} // namespace

int RandomBelowCore(uint32_t tick, int n) {
    if (n <= 0)
        return 0;
    const uint32_t state = tick * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF) % n;
}

int FillRegionCore(const PageView& page, int x, int y, uint8_t colour, AnimationHost& host) {
    if (AnimationRunning || !page.pixels || x < 0 || y < 0 || x >= page.width || y >= page.height)
        return 0;
    AnimationRunning = true;

    host.PlayEffect(1 + RandomBelowCore(host.Tick(), 4));
    loopSoundOn = false;
    now = lastFrameTick = host.Tick();
    loopSoundTick = now + LoopSoundDelay;

    // The seed keeps its value until a neighbour looks back at it and queues it a second time.
    PointQueue queue(x, y);
    int complete = !queue.Empty();
    int counter = 0;
    QueuePoint point;
    while (complete && queue.Front(point)) {
        const int cx = point.x, cy = point.y;
        complete = (cy - 1 < 0 || Reach(page, queue, cx, cy - 1, colour)) &&
                   (cy + 1 >= page.height || Reach(page, queue, cx, cy + 1, colour)) &&
                   (cx - 1 < 0 || Reach(page, queue, cx - 1, cy, colour)) &&
                   (cx + 1 >= page.width || Reach(page, queue, cx + 1, cy, colour));
        if (!complete)
            break;
        queue.Pop();
        now = host.Tick();
        if (++counter >= FillFramePoints) {
            counter = 0;
            DrawPacedFrame(host, FillFrameGap, FillLoopEffect);
        }
        host.PumpMessage();
    }

    FinishAnimation(host);
    queue.Clear();
    AnimationRunning = false;
    return complete;
}

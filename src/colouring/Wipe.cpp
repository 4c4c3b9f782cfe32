// The clearing wipe.
#include "colouring/Wipe.h"

#include <cstring>

#include "colouring/Fill.h"
#include "colouring/PointQueue.h"

namespace {

constexpr uint8_t NotReached = 1;
constexpr uint8_t Reached = 37;

// Takes one neighbour: the outline is no wall to the wave, only the visited map decides.
// Returns 0 when its node could not be had (the pixel stays unreached).
int Sweep(const PageView& page, const PageView& map, PointQueue& queue, int x, int y) {
    uint8_t& mark = map.At(x, y);
    if (mark == Reached)
        return 1;
    if (!queue.Append(x, y))
        return 0;
    mark = Reached;
    uint8_t& pixel = page.At(x, y);
    if (pixel != OutlineIndex)
        pixel = BlankIndex;
    return 1;
}

} // namespace

int WipePictureCore(const PageView& page, uint8_t* visited, AnimationHost& host) {
    // The visited map is one standard page of bytes and the start point is fixed: any other size
    // would run outside the buffers.
    if (AnimationRunning || !page.pixels || !visited || page.width != StdPageWidth ||
        page.height != StdPageHeight)
        return 0;
    AnimationRunning = true;

    const PageView map{visited, page.width, page.height};
    loopSoundOn = false;
    std::memset(visited, NotReached, size_t(page.width) * size_t(page.height));
    host.PlayEffect(WipeStartEffect);
    now = lastFrameTick = host.Tick();
    loopSoundTick = now + LoopSoundDelay;

    QueuePoint reference{WipeStartX, WipeStartY};
    QueuePoint point = reference;
    // The start point is not marked, so its first neighbour queues it again.
    PointQueue queue(WipeStartX, WipeStartY);
    int complete = !queue.Empty();
    while (complete && !queue.Empty()) {
        // The band test looks at the point processed last, not at the head of the queue: a band
        // ends right after the first point at least six rings beyond the point that ended the band
        // before.
        while (!queue.Empty() && point.x + point.y < reference.x + reference.y + WipeBandRings) {
            queue.Front(point);
            const int cx = point.x, cy = point.y;
            complete = (cy - 1 < 0 || Sweep(page, map, queue, cx, cy - 1)) &&
                       (cy + 1 >= page.height || Sweep(page, map, queue, cx, cy + 1)) &&
                       (cx - 1 < 0 || Sweep(page, map, queue, cx - 1, cy)) &&
                       (cx + 1 >= page.width || Sweep(page, map, queue, cx + 1, cy));
            if (!complete)
                break;
            queue.Pop();
        }
        if (!complete)
            break;
        reference = point;
        now = host.Tick();
        DrawPacedFrame(host, WipeFrameGap, WipeLoopEffect);
        host.PumpMessage();
    }

    FinishAnimation(host);
    queue.Clear();
    AnimationRunning = false;
    return complete;
}

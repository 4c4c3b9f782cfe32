// The fill and the wipe as the program runs them: clock, page on screen, messages and effects.
#include "colouring/FillShell.h"

#include <windows.h>

#include <mmsystem.h>

#include "colouring/Display.h"
#include "colouring/Fill.h"
#include "colouring/Wipe.h"
#include "page/Page.h"
#include "sound/Sound.h"

namespace {

// The clock is the multimedia millisecond count (time since system start, like the tick count) at a
// 1 ms period: the plain tick count moves in steps of about 16 ms on Windows and under Wine, which
// turns every 20 ms frame of a fill into about 32 ms and every 30 ms band of the wipe into about 32
// to 48 ms.
class ShellHost final : public AnimationHost {
  public:
    ShellHost() { timeBeginPeriod(1); }
    ~ShellHost() override { timeEndPeriod(1); }
    ShellHost(const ShellHost&) = delete;
    ShellHost& operator=(const ShellHost&) = delete;

    uint32_t Tick() override { return timeGetTime(); }
    void ShowPage() override { ::ShowPage(); }
    void PlayEffect(int number) override { ::PlayEffect(number); }
    void LoopEffect(int number) override { ::LoopEffect(number); }
    void StopEffect() override { ::StopEffect(); }

    // The fill asks for one message per processed point. Under Wine one queue check costs 50-110
    // us, so checking on every point (501 per frame) would stretch each 20 ms frame to 50 ms or
    // more. So once the queue has been found empty it is looked at again only when the clock has
    // moved, at most once a millisecond; while messages keep coming, one is taken per point as
    // designed. Paint, timer and music messages thus flow throughout and a whole-page fill keeps
    // its pace of about 12 s. The wipe asks only once per band and is unaffected.
    void PumpMessage() override {
        const DWORD tick = timeGetTime();
        if (!pending && looked && tick == lastLook)
            return;
        looked = true;
        lastLook = tick;
        MSG msg;
        pending = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0;
        if (pending) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

  private:
    bool looked = false;
    bool pending = false;
    DWORD lastLook = 0;
};

} // namespace

void FillRegion(int x, int y, int colour) {
    if (colour < 0 || colour > 255)
        return;
    ShellHost host;
    FillRegionCore(CurrentPageView(), x, y, uint8_t(colour), host);
}

int RandomBelow(int n) {
    return RandomBelowCore(timeGetTime(), n);
}

int WipePicture() {
    ShellHost host;
    return WipePictureCore(CurrentPageView(), lpDibClear, host);
}

// The order of start-up and shutdown around the display-mode switch.
#include "app/StartSteps.h"

#include <initializer_list>

void EnterFullScreen(const StartCalls& calls, DisplayModeState& mode) {
    // Under Wine, exclusive access puts a surface over the window's buttons that stays after it is
    // given back, and the object alone costs some 20 MB (measured): the desktop's mode is kept.
    if (calls.underWine(calls.context)) {
        calls.log(calls.context, "SetCooperativeLevel");
        return;
    }
    if (!calls.createDirectDraw(calls.context)) {
        calls.log(calls.context, "DirectDrawCreateEx");
        return;
    }
    mode.created = true;
    if (!calls.takeExclusiveLevel(calls.context)) {
        calls.log(calls.context, "SetCooperativeLevel");
        return;
    }
    if (!calls.setDisplayMode(calls.context)) {
        calls.log(calls.context, "SetDisplayMode");
        return;
    }
    mode.changed = true;
}

void LeaveFullScreen(const StartCalls& calls, DisplayModeState& mode) {
    if (mode.changed)
        calls.restoreDisplayMode(calls.context);
    if (mode.created)
        calls.releaseDirectDraw(calls.context);
    mode = {};
}

int RunStartUp(const StartCalls& calls, DisplayModeState& mode) {
    if (!calls.displayLargeEnough(calls.context)) {
        calls.destroyWindow(calls.context);
        return 0;
    }
    EnterFullScreen(calls, mode);
    if (!calls.allocPageBuffers(calls.context)) {
        calls.destroyWindow(calls.context);
        return 0;
    }
    calls.loadAndShow(calls.context);
    if (calls.startTimer(calls.context))
        return 1;
    calls.timerMessage(calls.context);
    RunShutDown(calls, mode);
    return 0;
}

void RunShutDown(const StartCalls& calls, DisplayModeState& mode) {
    for (void (*release)(void*) :
         {calls.killTimer, calls.stopAndCloseMusic, calls.destroyCursor, calls.deleteBitmaps,
          calls.freePageBuffers, calls.releasePalette})
        release(calls.context);
    LeaveFullScreen(calls, mode);
    calls.postQuit(calls.context);
}

// Start-up once the main window exists, and shutdown, as tables of calls: where the display mode is
// switched and where it is given back is decided here, whatever each call answers.
#pragma once

// The calls of start-up and shutdown; the shell makes them on the platform, tests record them.
// Those that can fail return 1 on success.
struct StartCalls {
    void* context;
    int (*displayLargeEnough)(void* context); // shows its message when it is not
    int (*underWine)(void* context);
    int (*createDirectDraw)(void* context);
    int (*takeExclusiveLevel)(void* context);
    int (*setDisplayMode)(void* context); // 800 x 600 at 16 bits per pixel
    void (*log)(void* context, const char* step);
    int (*allocPageBuffers)(void* context);
    void (*loadAndShow)(void* context); // the bitmaps, the window shown, the wave effects
    int (*startTimer)(void* context);
    void (*timerMessage)(void* context);
    void (*destroyWindow)(void* context); // whose destroy handler shuts down
    void (*killTimer)(void* context);
    void (*stopAndCloseMusic)(void* context);
    void (*destroyCursor)(void* context);
    void (*deleteBitmaps)(void* context); // the dot pattern, the title area, the command faces
    void (*freePageBuffers)(void* context);
    void (*releasePalette)(void* context);
    void (*restoreDisplayMode)(void* context);
    void (*releaseDirectDraw)(void* context);
    void (*postQuit)(void* context);
};

// What the display-mode switch holds: the DirectDraw object, and whether the mode was changed.
struct DisplayModeState {
    bool created = false;
    bool changed = false;
};

// Checks the display's size before anything changes it, switches the mode (a failing step leaves
// the desktop's mode and start-up goes on), gets the page buffers, loads, shows and starts the
// timer. An early failure tears down what was taken, the mode included. 1 when the program runs.
int RunStartUp(const StartCalls& calls, DisplayModeState& mode);

// Switches to 800 x 600 x 16; under Wine, whose desktop is the X display's own, it keeps the
// desktop's mode; a failing step logs its name and leaves the desktop's mode.
void EnterFullScreen(const StartCalls& calls, DisplayModeState& mode);

// Gives the mode back exactly when it was changed, and the object when it was made.
void LeaveFullScreen(const StartCalls& calls, DisplayModeState& mode);

// Releases everything in the order it depends on (the timer and the music first, the palette
// last), gives the display mode back, and ends the message loop.
void RunShutDown(const StartCalls& calls, DisplayModeState& mode);

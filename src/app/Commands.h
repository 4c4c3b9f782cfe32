// The commands that run long operations (Clear, the page steps, the print job) and the one way
// every long operation ends.
#pragma once
#include "support/Program.h"

// Removes every queued keyboard (256-264) and mouse (512-521) message of the window.
void DiscardInput(HWND window);
// Posts the pointer's screen position as a pointer move, so the cursor fits its zone again.
void RepostPointer(HWND window);
// The wait cursor shown and the window disabled, as every fill, wipe and print job begins.
void BeginLongOperation(HWND window);
// As every fill, wipe and print job ends: the window enabled, the keys and clicks queued meanwhile
// dropped, the pointer reposted and the focus back on the window.
void EndLongOperation(HWND window);

int ClearCommand(HWND window);
int NextPage(HWND window);
int PreviousPage(HWND window);
// The print dialog and the job in the chosen layout, with the busy flag set throughout. 0 when the
// page was drawn, else 1.
int PrintCommand(HWND window);

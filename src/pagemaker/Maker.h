// The Page Maker's shared state and the operations its window and its command line both use.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "pagemaker/PageCheck.h"

// The drawing being made into a page and the page made of it so far.
struct MakerWork {
    std::vector<uint8_t> grey; // the drawing on the page, 660 x 460 grey levels; empty: none yet
    int threshold = DefaultThreshold;
    int thicken = 0;
    std::string mends; // the mending chosen, in order: 'G' gaps closed, 'P' pockets filled
    LineMask mask;
    PageCheck check;
};

enum class DrawingRead { Ok, Unreadable, TooLarge };

// The page-sized grey levels of a drawing: an image file decoded by the imaging component and
// fitted onto the page, or the outline of a page file.
DrawingRead ReadDrawing(const char* path, std::vector<uint8_t>& pageGrey);

// The lines from the grey levels at the threshold, thickened, with the chosen mending applied
// again, and their check.
void RebuildPage(MakerWork& work);

enum class ReplaceResult { Done, BackupFailed, WriteFailed };

// Keeps a copy of the page file as <path>.bak (one level), then writes the lines as a fresh 1-bit
// page beside it and moves that into its place.
ReplaceResult ReplacePage(const char* path, const LineMask& mask);

// Whether Hueberry is running: it would write the page it has open over a replaced one.
bool HueberryRunning();

// The window form; returns the exit code.
int RunMakerWindow(HINSTANCE instance, int showCommand);

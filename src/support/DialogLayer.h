// The one way the program's dialogs open: centred on the 800 x 600 screen, on white, holding the
// busy flag where they should, and laid out in pixels as at 96 DPI with the usual system font,
// whatever the display's DPI and whatever fonts the machine has.
#pragma once
#include <windows.h>

struct DialogSpec {
    const char* templateName;
    DLGPROC handler; // the dialog's own messages; the layer answers the background requests
    bool holdsBusyFlag;
};

// The vertical dialog base unit the dialogs are laid out with: the usual system font's 16 pixels.
constexpr int LayoutVerticalUnit = 16;

// Runs the dialog modally, owned by owner; its result.
INT_PTR RunDialog(const DialogSpec& spec, HWND owner);

// The one way the program's dialogs open: centred on the 800 x 600 screen, on white, holding the
// busy flag where they should, and laid out in pixels as at 96 DPI with the usual system font,
// whatever the display's DPI and whatever fonts the machine has.
#pragma once
#include <windows.h>

struct DialogSpec {
    const char* templateName;
    // The dialog's own messages, or none. The layer answers the background requests, and ends the
    // dialog on the OK and Escape commands the handler leaves, with their ids as the result.
    DLGPROC handler;
    bool holdsBusyFlag;
};

// The vertical dialog base unit the dialogs are laid out with: the usual system font's 16 pixels.
constexpr int LayoutVerticalUnit = 16;

// Runs the dialog modally, owned by owner; its result.
INT_PTR RunDialog(const DialogSpec& dialogSpec, HWND owner);

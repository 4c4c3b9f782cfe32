// Message texts from the string table and the assertion box.
#include "support/Messages.h"

#include "support/Program.h"
#include "support/TextFormat.h"

namespace {

char TextSlots[2][512];

} // namespace

char* GetResString(UINT number, int slot) {
    char* buffer = TextSlots[slot];
    // A limit of 511 with the terminator: the last byte of the slot is never written.
    LoadStringA(hInst, LOWORD(number), buffer, 511);
    return buffer;
}

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

int ShowResMessage(UINT textNumber, UINT captionNumber, UINT type) {
    GetResString(captionNumber, 1);
    GetResString(textNumber, 0);
    return ShowMessage(hWndMain, TextSlots[0], TextSlots[1], type);
}

void AssertBox(const char* expression, const char* file, unsigned line) {
    char text[AssertTextSize];
    FormatAssertText(text, sizeof text, expression, file, line);
    MessageBeep(0);
    if (ShowMessage(hWndMain, text, "ASSERTION FAILURE",
                    MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL) != IDOK)
        DestroyWindow(hWndMain);
}

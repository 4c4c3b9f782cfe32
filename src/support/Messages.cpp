// Message texts from the string table, the assertion box and the log file.
#include "support/Messages.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "support/Program.h"
#include "support/TextFormat.h"

namespace {

char TextSlots[2][512];
int LoggingOn;
long LogStartTenths;

long TenthsNow() {
    return long(GetTickCount() / 100);
}

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

int LogMessage(const char* format, ...) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%i:  ", int(TenthsNow() - LogStartTenths));
    if (!LoggingOn)
        return 1;
    FILE* log = std::fopen("log.txt", "a+");
    if (!log)
        return 0;
    std::fputs(stamp, log);
    va_list values;
    va_start(values, format);
    std::vfprintf(log, format, values);
    va_end(values);
    std::fputc('\n', log);
    std::fclose(log);
    return 1;
}

int StartLog() {
    FILE* log = std::fopen("log.txt", "wb");
    if (!log)
        return 0;
    std::fclose(log);
    LogStartTenths = TenthsNow();
    LoggingOn = 1;
    const std::time_t t = std::time(nullptr);
    LogMessage("Log file for Hueberry: %s\nTime Message", std::asctime(std::localtime(&t)));
    return 1;
}

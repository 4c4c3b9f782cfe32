// The developer's log file: opened and closed for every line, so what was written survives a crash.
#include "support/LogFile.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

uint32_t (*LogClock)() = [] { return uint32_t(0); };

namespace {

int LoggingOn;
long LogStartTenths;

long TenthsNow() {
    return long(LogClock() / 100);
}

} // namespace

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
    // The calendar text with the day as two digits, "Mon Dec 07 09:05:00 2026" (asctime pads it
    // with a space); the program never sets a locale, so the names are English.
    const std::time_t t = std::time(nullptr);
    char when[32];
    std::strftime(when, sizeof when, "%a %b %d %H:%M:%S %Y\n", std::localtime(&t));
    LogMessage("Log file for Hueberry: %s\nTime Message", when);
    return 1;
}

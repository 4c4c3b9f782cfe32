// The developer's log file, log.txt in the working folder: off until StartLog, then one line a
// message, stamped with the tenths of a second since the log began.
#pragma once
#include <cstdint>

// The millisecond clock the stamps are taken from; the program sets the platform's.
extern uint32_t (*LogClock)();

// One line "tenths:  message"; 1 when written or when logging is off, 0 when log.txt could not be
// opened (the line is lost, the next call tries again).
int LogMessage(const char* format, ...);
// Starts log.txt afresh with its header; 0, and logging left off, when it cannot be made.
int StartLog();

// Reading and writing the four bytes of printer.dta over a small set of file calls.
#pragma once
#include <cstdint>

constexpr int PrintModeBytes = 4;

// The file calls printer.dta needs; the shell supplies them over the platform's files, tests over
// bytes in memory. Each returns 1 on success, 0 on failure, unless it says otherwise.
struct ModeFileCalls {
    void* context;
    // Opens the existing file for reading and writing, denying other programs write access.
    int (*open)(void* context);
    // Creates the file with normal attributes, emptying one of that name, and opens it the same
    // way.
    int (*create)(void* context);
    // Reads up to count bytes from the start of the open file; the number read.
    int (*readStart)(void* context, uint8_t* bytes, int count);
    // Writes count bytes at the start of the open file; what follows them stays.
    int (*writeStart)(void* context, const uint8_t* bytes, int count);
    void (*close)(void* context);
};

// The mode that up to four bytes of the file give: they replace the low-order bytes of 0, so a
// short file yields what it holds and bytes after the fourth do not count.
int32_t PrintModeFromBytes(const uint8_t* bytes, int count);
// The mode as the file holds it, little-endian.
void PrintModeToBytes(int32_t mode, uint8_t bytes[PrintModeBytes]);

// Reads the mode; a missing file is first created holding a mode of 0. 0 when no file can be had.
int32_t ReadPrintModeFile(const ModeFileCalls& calls);
// Writes the mode over the file's first four bytes, creating the file if needed; 1 if written.
int WritePrintModeFile(const ModeFileCalls& calls, int32_t mode);

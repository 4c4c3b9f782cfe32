// The texts of the developer displays, each formatted into a bounded buffer and cut to fit.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr size_t StatusTextSize = 128;
constexpr size_t DeveloperTextSize = 2048;
constexpr size_t ModulePathSize = 128;
constexpr size_t ModuleDirectoryMax = 115; // leaves room for an 8.3 name and the terminator

// Status strip numbers: 1 to 5 signed ("%i", then "%4.4i" joined by ",  " for two and ", " for
// more).
void FormatStatusInts(char* out, size_t size, const int* values, int count);
// 1 to 3 unsigned ("%lu", joined by ",  ").
void FormatStatusULongs(char* out, size_t size, const unsigned long* values, int count);
void FormatStatusHex(char* out, size_t size, unsigned value);          // "%4.4xh"
void FormatStatusHexLong(char* out, size_t size, unsigned long value); // "%lx"
void FormatStatusReals(char* out, size_t size, double a, double b);    // "%f,  %f"

// Turns path (the program file's full path, in a buffer of size bytes) into the path of name beside
// it: the directory with its last backslash or colon, then name, or "?" when the directory is
// longer than ModuleDirectoryMax or the platform had to cut the program's path short (truncated
// non-zero), so the result then names no file.
void PlaceBesideModule(char* path, size_t size, int truncated, const char* name);

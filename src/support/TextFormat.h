// Bounded text formats of the support module: the assertion text.
#pragma once
#include <cstddef>

constexpr size_t AssertTextSize = 80;

// "at line %u in file %s: \"%s\": OK to continue.", cut to fit size bytes with its terminator.
void FormatAssertText(char* out, size_t size, const char* expression, const char* file,
                      unsigned line);

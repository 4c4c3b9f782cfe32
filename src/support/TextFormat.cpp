// Bounded text formats of the support module.
#include "support/TextFormat.h"

#include <cstdio>

void FormatAssertText(char* out, size_t size, const char* expression, const char* file,
                      unsigned line) {
    if (size == 0)
        return;
    // snprintf cuts a long file name or expression at the buffer's end instead of overrunning it.
    std::snprintf(out, size, "at line %u in file %s: \"%s\": OK to continue.", line, file,
                  expression);
}

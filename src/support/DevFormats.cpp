// The texts of the developer displays, each formatted into a bounded buffer and cut to fit.
#include "support/DevFormats.h"

#include <cstdio>
#include <cstring>

void FormatStatusInts(char* out, size_t size, const int* values, int count) {
    const int* v = values;
    switch (count) {
    case 1:
        std::snprintf(out, size, "%i", v[0]);
        break;
    case 2:
        std::snprintf(out, size, "%4.4i,  %4.4i", v[0], v[1]);
        break;
    case 3:
        std::snprintf(out, size, "%4.4i, %4.4i, %4.4i", v[0], v[1], v[2]);
        break;
    case 4:
        std::snprintf(out, size, "%4.4i, %4.4i, %4.4i, %4.4i", v[0], v[1], v[2], v[3]);
        break;
    case 5:
        std::snprintf(out, size, "%4.4i, %4.4i, %4.4i, %4.4i, %4.4i", v[0], v[1], v[2], v[3], v[4]);
        break;
    default:
        if (size)
            out[0] = 0;
    }
}

void FormatStatusULongs(char* out, size_t size, const unsigned long* values, int count) {
    const unsigned long* v = values;
    switch (count) {
    case 1:
        std::snprintf(out, size, "%lu", v[0]);
        break;
    case 2:
        std::snprintf(out, size, "%lu,  %lu", v[0], v[1]);
        break;
    case 3:
        std::snprintf(out, size, "%lu,  %lu,  %lu", v[0], v[1], v[2]);
        break;
    default:
        if (size)
            out[0] = 0;
    }
}

void FormatStatusHex(char* out, size_t size, unsigned value) {
    std::snprintf(out, size, "%4.4xh", value);
}

void FormatStatusHexLong(char* out, size_t size, unsigned long value) {
    std::snprintf(out, size, "%lx", value);
}

void FormatStatusReals(char* out, size_t size, double a, double b) {
    std::snprintf(out, size, "%f,  %f", a, b);
}

void PlaceBesideModule(char* path, size_t size, int truncated, const char* name) {
    if (size == 0)
        return;
    path[size - 1] = 0; // a cut-short path may come without its terminator
    size_t end = std::strlen(path);
    while (end > 0 && path[end - 1] != '\\' && path[end - 1] != ':')
        --end;
    path[end] = 0;
    // A cut-short path's last separator may belong to a parent directory: never name a file there.
    const char* tail = (!truncated && end <= ModuleDirectoryMax) ? name : "?";
    std::snprintf(path + end, size - end, "%s", tail);
}

// The Page Maker's command line read into a command, and the pictures' place beside the program.
#include "lineart/MakerCommand.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char MakerUsage[] =
    "usage: hbpages IMAGE [PICTURE] [--photo | --drawing] [--detail 1-5] [--threshold 1-255] "
    "[--thicken 0-2] [--gaps 1-6] [--turn] [--mend]\n  IMAGE: a photo or a line drawing, told "
    "apart by the image unless --photo or --drawing says\n  PICTURE: bones, duck, parrots, pig, "
    "spider or buy_me, the picture beside hbpages.exe";

namespace {

// A whole number from low to high, or -1.
int NumberIn(const char* text, int low, int high) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *text && !*end && value >= low && value <= high ? int(value) : -1;
}

bool SameName(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The picture named: its file's name, or that name without ".col".
int PictureNamed(const char* name, const char* const* files, int count) {
    const size_t length = std::strlen(name);
    for (int i = 0; i < count; ++i) {
        const size_t full = std::strlen(files[i]);
        if ((length == full || length + 4 == full) && SameName(name, files[i], length) &&
            SameName(files[i] + length, ".col", full - length))
            return i;
    }
    return -1;
}

} // namespace

bool ParseMakerCommand(int argc, const char* const* argv, const char* const* pictureFiles,
                       int pictureCount, MakerCommand& command) {
    command = MakerCommand();
    int named = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        struct Option {
            const char* name;
            int* value;
            int low, high;
        };
        const Option numbers[] = {{"--threshold", &command.settings.threshold, 1, 255},
                                  {"--thicken", &command.settings.thicken, 0, MaxThicken},
                                  {"--gaps", &command.settings.gaps, 1, MaxGapWidth},
                                  {"--detail", &command.settings.detail, 1, DetailSteps}};
        const Option* number = nullptr;
        for (const Option& o : numbers)
            if (!std::strcmp(arg, o.name))
                number = &o;
        if (number) {
            if (i + 1 >= argc ||
                (*number->value = NumberIn(argv[++i], number->low, number->high)) < 0)
                return false;
        } else if (!std::strcmp(arg, "--turn")) {
            command.settings.turn = true;
        } else if (!std::strcmp(arg, "--photo") || !std::strcmp(arg, "--drawing")) {
            command.kind = arg[2] == 'p' ? KindChoice::Photo : KindChoice::Drawing;
        } else if (!std::strcmp(arg, "--mend")) {
            command.mend = true;
        } else if (arg[0] == '-' || named == 2) {
            return false;
        } else if (named++ == 0) {
            command.drawing = arg;
        } else if ((command.picture = PictureNamed(arg, pictureFiles, pictureCount)) < 0) {
            return false;
        }
    }
    return command.drawing != nullptr;
}

bool PathBesideProgram(const char* exePath, const char* file, char* out, size_t outSize) {
    const char* slash = std::strrchr(exePath, '\\');
    const char* other = std::strrchr(exePath, '/');
    if (!slash || (other && other > slash))
        slash = other;
    const int folder = slash ? int(slash - exePath + 1) : 0;
    const int written = std::snprintf(out, outSize, "%.*s%s", folder, exePath, file);
    if (size_t(written) >= outSize) { // a failure (negative) too
        if (outSize)
            out[0] = 0;
        return false;
    }
    return true;
}

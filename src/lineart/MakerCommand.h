// What a Page Maker command line means: the drawing, the picture it replaces, the settings.
#pragma once
#include <cstddef>

#include "lineart/Making.h"

struct MakerCommand {
    const char* drawing = nullptr;
    int picture = -1; // which of the pictures it replaces; -1: none named, the counts only
    MakerSettings settings;
    KindChoice kind = KindChoice::FromImage;
    bool mend = false;
};

extern const char MakerUsage[];

// Reads hbpages IMAGE [PICTURE] [--photo | --drawing] [--detail 1-5] [--threshold 1-255]
// [--thicken 0-2] [--gaps 1-6] [--turn] [--mend], options anywhere; the last of --photo and
// --drawing counts. PICTURE is one of the picture files given (such as "duck.col"),
// named with or without ".col", in any case; a path or any other name is a usage error, as is a
// missing drawing, a value out of range or an unknown option. Returns false on a usage error.
bool ParseMakerCommand(int argc, const char* const* argv, const char* const* pictureFiles,
                       int pictureCount, MakerCommand& command);

// The file of that name in the folder of the program at exePath (after its last \ or /). False,
// and out empty, when it does not fit in outSize.
bool PathBesideProgram(const char* exePath, const char* file, char* out, size_t outSize);

// The Page Maker's entry, its command-line form, and the page work the window shares with it.
#include "pagemaker/Maker.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "page/FileBytes.h"
#include "support/Program.h"

void RebuildPage(MakerWork& work) {
    work.mask = ThresholdPage(work.grey, work.threshold);
    ThickenLines(work.mask, work.thicken);
    CheckPage(work.mask, work.check);
    for (char mend : work.mends) {
        if (mend == 'G')
            CloseGaps(work.mask, work.check);
        else
            FillTinyPockets(work.mask, work.check);
        CheckPage(work.mask, work.check);
    }
}

ReplaceResult ReplacePage(const char* path, const LineMask& mask) {
    char backup[MAX_PATH];
    if (std::snprintf(backup, sizeof backup, "%s.bak", path) >= int(sizeof backup))
        return ReplaceResult::BackupFailed;
    // The page is only replaced once its copy is safe; a page that is not there needs none.
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(path, backup, FALSE))
            return ReplaceResult::BackupFailed;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return ReplaceResult::BackupFailed;
    }
    return ReplaceFileContents(path, MonoPageFile(mask)) ? ReplaceResult::Done
                                                         : ReplaceResult::WriteFailed;
}

bool HueberryRunning() {
    return FindWindowA(MainWindowClass, nullptr) != nullptr;
}

namespace {

std::string CountsText(const PageCheck& check) {
    char text[100];
    std::snprintf(text, sizeof text, "Regions %zu, leaks %zu, tiny regions %zu", check.size.size(),
                  check.leaks.size(), check.tiny.size());
    return text;
}

// Standard output or error; a program started from a console window without redirection has to
// ask for its parent's console, since a windowed program gets none of its own.
void Say(DWORD which, const std::string& line) {
    HANDLE out = GetStdHandle(which);
    if (!out || out == INVALID_HANDLE_VALUE) {
        AttachConsole(ATTACH_PARENT_PROCESS);
        out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    }
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
}

// A whole number from low to high, or -1.
int NumberIn(const char* text, int low, int high) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *text && !*end && value >= low && value <= high ? int(value) : -1;
}

int RunCommandLine(int argc, char** argv) {
    MakerWork work;
    const char* files[2] = {nullptr, nullptr};
    int fileCount = 0;
    for (int i = 1; i < argc; ++i) {
        int* setting = !std::strcmp(argv[i], "--threshold") ? &work.threshold
                       : !std::strcmp(argv[i], "--thicken") ? &work.thicken
                                                            : nullptr;
        if (setting && i + 1 < argc) {
            *setting = setting == &work.threshold ? NumberIn(argv[++i], 1, 255)
                                                  : NumberIn(argv[++i], 0, MaxThicken);
            if (*setting < 0)
                fileCount = 3;
        } else if (!setting && argv[i][0] != '-' && fileCount < 2) {
            files[fileCount++] = argv[i];
        } else {
            fileCount = 3;
        }
    }
    if (fileCount < 1 || fileCount > 2) {
        Say(STD_ERROR_HANDLE, "usage: hbpages drawing [page.col] [--threshold 1-255] "
                              "[--thicken 0-2]");
        return 2;
    }
    const DrawingRead read = ReadDrawing(files[0], work.grey);
    if (read != DrawingRead::Ok) {
        Say(STD_ERROR_HANDLE,
            std::string("hbpages: ") + files[0] +
                (read == DrawingRead::TooLarge ? " is too large (more than 64 million pixels)"
                                               : " cannot be read as a picture"));
        return 1;
    }
    RebuildPage(work);
    Say(STD_OUTPUT_HANDLE, CountsText(work.check));
    if (!files[1])
        return 0;
    if (HueberryRunning()) {
        Say(STD_ERROR_HANDLE, "hbpages: Hueberry is running; close it first, or it will save "
                              "its own copy of the page over the new one");
        return 3;
    }
    const ReplaceResult result = ReplacePage(files[1], work.mask);
    if (result != ReplaceResult::Done) {
        Say(STD_ERROR_HANDLE, std::string("hbpages: ") + files[1] +
                                  (result == ReplaceResult::BackupFailed
                                       ? ".bak could not be written; nothing was changed"
                                       : " could not be written; it is unchanged"));
        return 3;
    }
    Say(STD_OUTPUT_HANDLE, std::string("Wrote ") + files[1]);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int code =
        __argc > 1 ? RunCommandLine(__argc, __argv) : RunMakerWindow(instance, showCommand);
    CoUninitialize();
    return code;
}

// The Page Maker's entry, its command-line form, and the Win32 work the window shares with it.
#include "pagemaker/Maker.h"

#include <objbase.h>

#include <cstdio>
#include <string>

#include "lineart/MakerCommand.h"
#include "page/FileBytes.h"
#include "page/PageSet.h"
#include "support/Program.h"

ReplaceResult ReplacePage(const char* path, const LineMask& mask) {
    char backup[MAX_PATH];
    if (std::snprintf(backup, sizeof backup, "%s.bak", path) >= int(sizeof backup))
        return ReplaceResult::BackupFailed;
    // The page is only replaced once its copy is safe; a page that is not there needs none.
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(path, backup, FALSE))
            return ReplaceResult::BackupFailed;
        // The copy takes a read-only page's attribute; it would refuse the next copy over it.
        SetFileAttributesA(backup, FILE_ATTRIBUTE_NORMAL);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return ReplaceResult::BackupFailed;
    }
    return ReplaceFileContents(path, MonoPageFile(mask)) ? ReplaceResult::Done
                                                         : ReplaceResult::WriteFailed;
}

bool PicturePath(int picture, char* path) {
    char exe[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    return length && length < MAX_PATH &&
           PathBesideProgram(exe, PageSet[picture].file, path, MAX_PATH);
}

bool HueberryRunning() {
    return FindWindowA(MainWindowClass, nullptr) != nullptr;
}

namespace {

// Standard output or error; a program started from a console window without redirection has to
// ask for its parent's console, since a windowed program gets none of its own.
void Say(DWORD which, const std::string& line) {
    HANDLE out = GetStdHandle(which);
    if (!out || out == INVALID_HANDLE_VALUE) {
        AttachConsole(ATTACH_PARENT_PROCESS);
        out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    }
    std::string text;
    for (char c : line + "\n")
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    DWORD written = 0;
    WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
}

int RunCommandLine(int argc, char** argv) {
    const char* files[PageCount];
    for (int i = 0; i < PageCount; ++i)
        files[i] = PageSet[i].file;
    MakerCommand command;
    if (!ParseMakerCommand(argc, argv, files, PageCount, command)) {
        Say(STD_ERROR_HANDLE, MakerUsage);
        return 2;
    }
    char target[MAX_PATH] = "";
    if (command.picture >= 0 && !PicturePath(command.picture, target)) {
        Say(STD_ERROR_HANDLE, "hbpages: the program's folder has too long a path; nothing was "
                              "written");
        return 3;
    }
    MakerWork work;
    work.settings = command.settings;
    const DrawingRead read = ReadDrawing(command.drawing, work.drawing);
    if (read != DrawingRead::Ok) {
        Say(STD_ERROR_HANDLE,
            std::string("hbpages: ") + command.drawing +
                (read == DrawingRead::TooLarge ? " is too large (more than 64 million pixels)"
                                               : " cannot be read as a picture"));
        return 1;
    }
    RebuildPage(work);
    if (command.mend) {
        Say(STD_OUTPUT_HANDLE, "Before mending: " + CountsText(work.check, false));
        work.mending = MendAll;
        RebuildPage(work);
        Say(STD_OUTPUT_HANDLE, "After mending: " + CountsText(work.check, false));
    } else {
        Say(STD_OUTPUT_HANDLE, CountsText(work.check, false));
    }
    const PageVerdict verdict = JudgePage(work.mask, work.check);
    if (verdict != PageVerdict::Usable) {
        Say(STD_ERROR_HANDLE,
            std::string("hbpages: ") + command.drawing +
                (verdict == PageVerdict::NoLines
                     ? " gives no line at this threshold"
                     : " gives fewer than two areas of at least 30 pixels to colour") +
                "; nothing was written");
        return 1;
    }
    if (command.picture < 0)
        return 0;
    if (HueberryRunning()) {
        Say(STD_ERROR_HANDLE, "hbpages: Hueberry is running; close it first, or it will save "
                              "its own copy of the page over the new one");
        return 3;
    }
    const ReplaceResult result = ReplacePage(target, work.mask);
    if (result != ReplaceResult::Done) {
        Say(STD_ERROR_HANDLE, std::string("hbpages: ") + target +
                                  (result == ReplaceResult::BackupFailed
                                       ? ".bak could not be written; nothing was changed"
                                       : " could not be written (is it read-only?); it is "
                                         "unchanged"));
        return 3;
    }
    Say(STD_OUTPUT_HANDLE, std::string("Wrote ") + target);
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

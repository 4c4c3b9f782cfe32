// The Page Maker's entry, its command-line form, and the Win32 work the window shares with it.
#include "pagemaker/Maker.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lineart/MakerCommand.h"
#include "page/FileBytes.h"
#include "page/PageLines.h"
#include "page/PageSet.h"

ReplaceResult ReplacePage(const wchar_t* path, const LineMask& mask) {
    const std::wstring backup = std::wstring(path) + L".bak";
    if (backup.size() >= MAX_PATH)
        return ReplaceResult::BackupFailed;
    // The page is only replaced once its copy is safe; a page that is not there needs none.
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileW(path, backup.c_str(), FALSE))
            return ReplaceResult::BackupFailed;
        // The copy takes a read-only page's attribute; it would refuse the next copy over it.
        SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return ReplaceResult::BackupFailed;
    }
    return ReplaceFileContents(path, MonoPageFile(mask.px)) ? ReplaceResult::Done
                                                            : ReplaceResult::WriteFailed;
}

bool PicturePath(int picture, wchar_t (&path)[MAX_PATH]) {
    wchar_t exe[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring folder(exe, length < MAX_PATH ? length : 0);
    const size_t slash = folder.find_last_of(L"\\/");
    const std::wstring file = folder.substr(0, slash + 1) + Wide(PageSet[picture].file);
    path[0] = 0;
    if (slash == std::wstring::npos || file.size() >= MAX_PATH)
        return false;
    file.copy(path, file.size());
    path[file.size()] = 0;
    return true;
}

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0'); // never more UTF-16 units than UTF-8 bytes
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(),
                                           int(wide.size()))));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0'); // at most three bytes for each UTF-16 unit
    utf8.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(),
                                           int(utf8.size()), nullptr, nullptr)));
    return utf8;
}

const char* ReadFailure(DrawingRead read) {
    switch (read) {
    case DrawingRead::TooLarge:
        return " is too large (more than 1000 million pixels)";
    case DrawingRead::Heif:
        return " is a HEIC photo, which Windows here cannot open; save it as JPEG (the Photos app: "
               "Save as) and use that";
    default:
        return " cannot be read as a picture";
    }
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
        out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    std::string text;
    for (char c : line + "\n")
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    // A console shows any script given wide; a file or a pipe takes the text as UTF-8.
    DWORD written = 0, mode = 0;
    if (GetConsoleMode(out, &mode)) {
        const std::wstring wide = Wide(text);
        WriteConsoleW(out, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
    }
}

// The arguments as the core reads them, in UTF-8.
int RunCommandLine(int argc, wchar_t** wideArgs) {
    std::vector<std::string> args;
    std::vector<const char*> argv;
    for (int i = 0; i < argc; ++i)
        args.push_back(Utf8(wideArgs[i]));
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    const char* files[PageCount];
    for (int i = 0; i < PageCount; ++i)
        files[i] = PageSet[i].file;
    MakerCommand command;
    if (!ParseMakerCommand(argc, argv.data(), files, PageCount, command)) {
        Say(STD_ERROR_HANDLE, MakerUsage);
        return 2;
    }
    wchar_t target[MAX_PATH] = L"";
    if (command.picture >= 0 && !PicturePath(command.picture, target)) {
        Say(STD_ERROR_HANDLE, "hbpages: the program's folder has too long a path; nothing was "
                              "written");
        return 3;
    }
    MakerWork work;
    work.settings = command.settings;
    const DrawingRead read =
        ReadDrawing(Wide(command.drawing).c_str(), work.drawing, work.photo,
                    command.kind == KindChoice::Photo     ? ImageUse::Photo
                    : command.kind == KindChoice::Drawing ? ImageUse::Both
                                                          : ImageUse::DrawingIfNoPhoto);
    if (read != DrawingRead::Ok) {
        Say(STD_ERROR_HANDLE, std::string("hbpages: ") + command.drawing + ReadFailure(read) +
                                  "; nothing was written");
        return 1;
    }
    work.settings.kind = ChooseKind(command.kind, work.photo);
    RebuildPage(work);
    if (work.settings.kind == PageKind::Photo) { // a photo's page has nothing to mend
        Say(STD_OUTPUT_HANDLE, "Photo, detail " + std::to_string(work.settings.detail) + ": " +
                                   CountsText(work.check, false));
    } else if (command.mend) {
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
        Say(STD_ERROR_HANDLE, "hbpages: " + Utf8(target) +
                                  (result == ReplaceResult::BackupFailed
                                       ? ".bak could not be written; nothing was changed"
                                       : " could not be written (is it read-only?); it is "
                                         "unchanged"));
        return 3;
    }
    Say(STD_OUTPUT_HANDLE, "Wrote " + Utf8(target));
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int code =
        argv && argc > 1 ? RunCommandLine(argc, argv) : RunMakerWindow(instance, showCommand);
    LocalFree(argv);
    CoUninitialize();
    return code;
}

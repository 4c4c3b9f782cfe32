// Loading and saving the page file with the platform's file calls, and the developer's BMP
// converter.
#include "page/PageFile.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/App.h"
#include "colouring/Display.h"
#include "page/Page.h"
#include "resource.h"
#include "support/DevDisplays.h"
#include "support/Messages.h"

namespace {

// No page file is anywhere near this; a larger file is not a page and is not read.
constexpr DWORD LargestReadableFile = 4u << 20;

enum class ReadResult { Ok, CannotOpen, TooLarge };

// Reads a whole file, opened with writing by others denied.
ReadResult ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReadResult::CannotOpen;
    ReadResult result = ReadResult::Ok;
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || size > LargestReadableFile) {
        result = ReadResult::TooLarge;
    } else {
        bytes.resize(size);
        DWORD got = 0;
        if (size && !ReadFile(file, bytes.data(), size, &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
    CloseHandle(file);
    return result;
}

// Writes the complete new contents beside the file, flushes them, then puts them in its place in
// one step: whatever fails, the old file stays as it was and no temporary file is left behind.
int ReplaceFileContents(const char* path, const std::vector<uint8_t>& bytes) {
    char temporary[MAX_PATH];
    if (std::snprintf(temporary, sizeof temporary, "%s.tmp", path) >= int(sizeof temporary))
        return 0;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (ok && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    DeleteFileA(temporary);
    return 0;
}

} // namespace

int LoadPage(const char* path) {
    std::vector<uint8_t> bytes;
    const ReadResult read = ReadWholeFile(path, bytes);
    if (read == ReadResult::CannotOpen) {
        char text[600];
        std::snprintf(text, sizeof text, GetResString(IDS_FILE_MISSING, 0), path);
        ShowMessage(hWndMain, text, GetResString(IDS_HUEBERRY, 1), MB_ICONEXCLAMATION);
        return 0;
    }
    // A damaged page (wrong size, cut short, not a page at all) is refused whole: the page in
    // memory, header and pixels, stays exactly as it was, so a later save cannot write a
    // half-loaded mix.
    if (read != ReadResult::Ok || !lpDib ||
        !ParsePage(bytes.data(), bytes.size(), DisplayPalette, bmfhead, bmp, lpDib)) {
        ShowResMessage(IDS_NOT_PAGE, IDS_HUEBERRY, MB_OK);
        return 0;
    }
    return 1;
}

int SavePage(const char* path) {
    const std::vector<uint8_t> bytes = SerializePage(bmfhead, bmp, lpDib);
    if (bytes.empty())
        return 0;
    return ReplaceFileContents(path, bytes);
}

int ConvertBmpToPage(const char* bmpPath, const char* pagePath) {
    std::vector<uint8_t> source, page;
    if (ReadWholeFile(bmpPath, source) != ReadResult::Ok)
        return 0;
    if (!ConvertBmpBytes(source.data(), source.size(), page)) {
        ShowResMessage(IDS_NOT_BITMAP, IDS_HUEBERRY, MB_ICONEXCLAMATION);
        return 0;
    }
    if (!ReplaceFileContents(pagePath, page)) {
        StatusText("New COL file would not open");
        return 0;
    }
    return 1;
}

// Whole-file reads and the write-beside-then-move saving of page files.
#include "page/FileBytes.h"

#include <cstdio>

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

int ReplaceFileContents(const char* path, const std::vector<uint8_t>& bytes) {
    // Windows refuses to replace a read-only file; Wine's MoveFileExA replaces it all the same. A
    // file made read-only stays as it is on both.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return 0;
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

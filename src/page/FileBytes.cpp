// Whole-file reads and the write-beside-then-move saving of page files.
#include "page/FileBytes.h"

#include <cstdio>
#include <cwchar>

namespace {

// The narrow calls take the system code page's names (Hueberry opens its pages by relative
// names); the wide ones take any name (the Page Maker's paths come from the user).
HANDLE OpenFile(const char* path, DWORD access, DWORD share, DWORD creation) {
    return CreateFileA(path, access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}
HANDLE OpenFile(const wchar_t* path, DWORD access, DWORD share, DWORD creation) {
    return CreateFileW(path, access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}
DWORD Attributes(const char* path) {
    return GetFileAttributesA(path);
}
DWORD Attributes(const wchar_t* path) {
    return GetFileAttributesW(path);
}
bool Move(const char* from, const char* to, DWORD flags) {
    return MoveFileExA(from, to, flags);
}
bool Move(const wchar_t* from, const wchar_t* to, DWORD flags) {
    return MoveFileExW(from, to, flags);
}
void Delete(const char* path) {
    DeleteFileA(path);
}
void Delete(const wchar_t* path) {
    DeleteFileW(path);
}
bool Suffixed(const char* path, char (&out)[MAX_PATH]) {
    return std::snprintf(out, MAX_PATH, "%s.tmp", path) < MAX_PATH;
}
bool Suffixed(const wchar_t* path, wchar_t (&out)[MAX_PATH]) {
    const int length = std::swprintf(out, MAX_PATH, L"%ls.tmp", path);
    return length >= 0 && length < MAX_PATH;
}

template <typename Char> ReadResult ReadWhole(const Char* path, std::vector<uint8_t>& bytes) {
    HANDLE file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
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

template <typename Char> int ReplaceContents(const Char* path, const std::vector<uint8_t>& bytes) {
    // Windows refuses to replace a read-only file; Wine's MoveFileEx replaces it all the same. A
    // file made read-only stays as it is on both.
    const DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return 0;
    Char temporary[MAX_PATH];
    if (!Suffixed(path, temporary))
        return 0;
    HANDLE file = OpenFile(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (ok && Move(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    Delete(temporary);
    return 0;
}

} // namespace

ReadResult ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    return ReadWhole(path, bytes);
}
ReadResult ReadWholeFile(const wchar_t* path, std::vector<uint8_t>& bytes) {
    return ReadWhole(path, bytes);
}
int ReplaceFileContents(const char* path, const std::vector<uint8_t>& bytes) {
    return ReplaceContents(path, bytes);
}
int ReplaceFileContents(const wchar_t* path, const std::vector<uint8_t>& bytes) {
    return ReplaceContents(path, bytes);
}

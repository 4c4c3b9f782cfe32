// Helpers shared by the Windows-side tests.
#include "WinTestSupport.h"

#include <cstdio>

#include "support/Messages.h"

std::vector<RecordedBox> MessageBoxRecorder::boxes;
int MessageBoxRecorder::answer = IDOK;

namespace {

int Record(HWND, const char* text, const char* caption, UINT type) {
    MessageBoxRecorder::boxes.push_back({text ? text : "", caption ? caption : "", type});
    return MessageBoxRecorder::answer;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    boxes.clear();
    answer = IDOK;
    MessageBoxHook = Record;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    MessageBoxHook = nullptr;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter;
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%shb-test-%lu-%d", temp, GetCurrentProcessId(), ++counter);
    path = name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(path.c_str());
}

ScratchFolder::~ScratchFolder() {
    SetCurrentDirectoryA(previous);
    RemoveTree(path);
}

std::vector<unsigned char> ReadBytes(const char* path) {
    std::vector<unsigned char> bytes;
    if (FILE* f = std::fopen(path, "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return bytes;
}

bool WriteBytes(const char* path, const std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool FileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

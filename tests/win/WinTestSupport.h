// Helpers shared by the Windows-side tests: a scratch folder, recorded message boxes, file bytes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct RecordedBox {
    std::string text;
    std::string caption;
    UINT type;
};

// Records every message box the program shows and answers it with Answer, instead of showing it.
struct MessageBoxRecorder {
    static std::vector<RecordedBox> boxes;
    static int answer;
    MessageBoxRecorder();
    ~MessageBoxRecorder();
};

// Makes a fresh empty folder under the system's temporary folder and makes it current; restores on
// exit.
struct ScratchFolder {
    std::string path;
    char previous[MAX_PATH];
    ScratchFolder();
    ~ScratchFolder();
};

std::vector<unsigned char> ReadBytes(const char* path);
bool WriteBytes(const char* path, const std::vector<unsigned char>& bytes);
bool FileExists(const char* path);

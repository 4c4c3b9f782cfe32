// Whole files read into memory, and new contents put in a file's place in one step.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

enum class ReadResult { Ok, CannotOpen, TooLarge };

// No page file is anywhere near this; a larger file is not a page and is not read.
constexpr DWORD LargestReadableFile = 4u << 20;

// Reads a whole file of at most LargestReadableFile bytes, opened with writing by others denied.
ReadResult ReadWholeFile(const char* path, std::vector<uint8_t>& bytes);
ReadResult ReadWholeFile(const wchar_t* path, std::vector<uint8_t>& bytes);

// Writes the complete new contents beside the file, flushes them, then puts them in its place in
// one step: whatever fails, the old file stays as it was and no temporary file is left behind. A
// read-only file is never replaced.
// Returns 1 when the file holds the new contents, 0 otherwise. The wide forms take any name.
int ReplaceFileContents(const char* path, const std::vector<uint8_t>& bytes);
int ReplaceFileContents(const wchar_t* path, const std::vector<uint8_t>& bytes);

// printer.dta read and written over a file held in memory: missing, short, long and odd files.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "print/PrintModeFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A file in memory, absent while contents is empty; it can be made unopenable and uncreatable.
struct MemoryFile {
    std::optional<Bytes> contents;
    bool writable = true;
    int closes = 0;
};

MemoryFile& Of(void* context) {
    return *static_cast<MemoryFile*>(context);
}

ModeFileCalls On(MemoryFile& file) {
    return {&file,
            [](void* c) { return int(Of(c).contents && Of(c).writable); },
            [](void* c) {
                if (Of(c).writable)
                    Of(c).contents = Bytes{};
                return int(Of(c).writable);
            },
            [](void* c, uint8_t* bytes, int count) {
                const Bytes& held = *Of(c).contents;
                const int n = std::min(count, int(held.size()));
                std::copy_n(held.begin(), n, bytes);
                return n;
            },
            [](void* c, const uint8_t* bytes, int count) {
                Bytes& held = *Of(c).contents;
                held.resize(std::max(held.size(), size_t(count)));
                std::copy_n(bytes, count, held.begin());
                return 1;
            },
            [](void* c) { ++Of(c).closes; }};
}

TEST(PrintModeFile, ReadsUpToFourBytesOverZeroAndNeverWritesAnExistingFile) {
    const std::pair<Bytes, int32_t> cases[] = {
        {{2, 0, 0, 0}, 2},
        {{5, 0, 0, 0}, 5}, // no range test
        {{}, 0},
        {{7}, 7},
        {{1, 1}, 0x0101},
        {{1, 0, 0, 0, 9, 9}, 1},
        {{0xFF, 0xFF, 0xFF, 0xFF}, -1},
    };
    for (const auto& [contents, mode] : cases) {
        MemoryFile file{contents};
        EXPECT_EQ(mode, ReadPrintModeFile(On(file))) << testing::PrintToString(contents);
        EXPECT_EQ(contents, *file.contents);
        EXPECT_EQ(1, file.closes);
    }
    // Only the bytes read count, whatever lies after them.
    const uint8_t held[4] = {7, 9, 9, 9};
    EXPECT_EQ(7, PrintModeFromBytes(held, 1));
}

TEST(PrintModeFile, MissingFileIsCreatedHoldingZero) {
    MemoryFile file;
    EXPECT_EQ(0, ReadPrintModeFile(On(file)));
    EXPECT_EQ(Bytes({0, 0, 0, 0}), file.contents);
    EXPECT_EQ(1, file.closes);

    MemoryFile nowhere{std::nullopt, false};
    EXPECT_EQ(0, ReadPrintModeFile(On(nowhere)));
    EXPECT_FALSE(nowhere.contents);
    EXPECT_EQ(0, nowhere.closes);
}

TEST(PrintModeFile, WritesFourBytesAndKeepsWhatFollows) {
    const std::pair<std::optional<Bytes>, Bytes> cases[] = {
        {Bytes{2, 0, 0, 0, 0xAA, 0xBB}, {4, 3, 2, 1, 0xAA, 0xBB}},
        {Bytes{}, {4, 3, 2, 1}},
        {std::nullopt, {4, 3, 2, 1}},
    };
    for (const auto& [before, after] : cases) {
        MemoryFile file{before};
        EXPECT_EQ(1, WritePrintModeFile(On(file), 0x01020304));
        EXPECT_EQ(after, file.contents);
        EXPECT_EQ(1, file.closes);
    }
    MemoryFile readOnly{Bytes{2, 0, 0, 0}, false};
    EXPECT_EQ(0, WritePrintModeFile(On(readOnly), 1));
    EXPECT_EQ(Bytes({2, 0, 0, 0}), readOnly.contents);
}

} // namespace

// printer.dta read and written over a file held in memory: missing, short, long and locked files.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "print/PrintModeFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A file in memory, absent while it holds nothing; a locked one can be neither opened nor made.
struct File {
    std::optional<Bytes> bytes;
    bool locked = false;
    int closes = 0;
};

File& Of(void* file) {
    return *static_cast<File*>(file);
}

ModeFileCalls On(File& file) {
    return {&file,
            [](void* f) { return int(Of(f).bytes && !Of(f).locked); },
            [](void* f) { return Of(f).locked ? 0 : (Of(f).bytes = Bytes{}, 1); },
            [](void* f, uint8_t* to, int n) {
                n = std::min(n, int(Of(f).bytes->size()));
                std::copy_n(Of(f).bytes->begin(), n, to);
                return n;
            },
            [](void* f, const uint8_t* from, int n) {
                Of(f).bytes->resize(std::max(Of(f).bytes->size(), size_t(n)));
                std::copy_n(from, n, Of(f).bytes->begin());
                return 1;
            },
            [](void* f) { ++Of(f).closes; }};
}

TEST(PrintModeFile, ReadsUpToFourBytesOverZeroAndWritesFourKeepingTheRest) {
    // An existing file is read, never written; a missing one is made holding mode 0.
    const std::pair<std::optional<Bytes>, int32_t> reads[] = {{Bytes{2, 0, 0, 0}, 2},
                                                              {Bytes{1, 1}, 0x0101},
                                                              {Bytes{1, 0, 0, 0, 9, 9}, 1},
                                                              {Bytes{0xFF, 0xFF, 0xFF, 0xFF}, -1},
                                                              {std::nullopt, 0}};
    for (const auto& [bytes, mode] : reads) {
        File file{bytes};
        EXPECT_EQ(mode, ReadPrintModeFile(On(file)));
        EXPECT_EQ(bytes ? *bytes : Bytes(4, 0), file.bytes);
        EXPECT_EQ(1, file.closes);
    }
    File longer{Bytes{2, 0, 0, 0, 0xAA}}, missing;
    EXPECT_EQ(1, WritePrintModeFile(On(longer), 0x01020304));
    EXPECT_EQ(Bytes({4, 3, 2, 1, 0xAA}), longer.bytes);
    EXPECT_EQ(1, WritePrintModeFile(On(missing), 7));
    EXPECT_EQ(Bytes({7, 0, 0, 0}), missing.bytes);
    File locked{Bytes{2, 0, 0, 0}, true};
    EXPECT_EQ(0, ReadPrintModeFile(On(locked)) + WritePrintModeFile(On(locked), 1));
    EXPECT_EQ(Bytes({2, 0, 0, 0}), locked.bytes);
    EXPECT_EQ(0, locked.closes);
    // Only the bytes read count, whatever lies after them.
    const uint8_t held[4] = {7, 9, 9, 9};
    EXPECT_EQ(7, PrintModeFromBytes(held, 1));
}

} // namespace

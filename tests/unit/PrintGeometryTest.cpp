// The print layouts' geometry, the quarter turn and the framed print buffer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "print/PrintGeometry.h"
#include "print/PrintModeFile.h"
#include "print/PrintSteps.h"

namespace {

// The design's standard page; blank (37) prints as 27, white on paper.
constexpr int W = 660, H = 460;

// The geometries as one row: Default x, y, w, h; halves x, y, w, half h; blocks k, x, y, lower y.
std::vector<int> Geometry(int pw, int ph) {
    const DefaultGeometry d = DefaultLayout(pw, ph, W, H);
    const HalvesGeometry a = HalvesLayout(pw, ph, W, H);
    const BlocksGeometry b = BlocksLayout(pw, ph, W, H);
    return {d.xDest, d.yDest, d.destW, d.destH, a.xDest, a.yDest,
            a.destW, a.halfH, b.k,     b.xOff,  b.yOff,  b.lowerY};
}

TEST(PrintGeometry, WorkedValuesOfTheStandardPage) {
    EXPECT_EQ(Geometry(2400, 3150),
              (std::vector<int>{373, 394, 1654, 2361, 374, 394, 1651, 1180, 4, 268, 243, 1575}));
    // The blocks overhang this one: odd negative differences round down, not toward zero.
    EXPECT_EQ(Geometry(1201, 1501),
              (std::vector<int>{206, 188, 788, 1125, 207, 188, 787, 562, 3, -99, -249, 750}));
}

TEST(PrintGeometry, BlockFactorLimits) {
    // Printable width and height, the factor: 27 would fit the first before the limit.
    const int blocks[][3] = {
        {2400, 20000, 20}, {2400, 14800, 20}, {2400, 14799, 19}, {2400, 2220, 3}, {100, 100, 3}};
    for (const auto& b : blocks)
        EXPECT_EQ(BlocksLayout(b[0], b[1], W, H).k, b[2]) << b[1];
}

TEST(PrintGeometry, QuarterTurnAndThePrintBufferWithItsRing) {
    // A 3 x 2 page (rows from the bottom) between rows of 7s: its bottom row becomes the right
    // column, blank prints white, and nothing outside is read or written.
    const uint8_t page[12] = {7, 7, 7, 1, 2, 37, 4, 5, 6, 7, 7, 7};
    std::vector<uint8_t> turned(8, 9);
    RotatePage(page + 3, 3, 2, turned.data());
    EXPECT_EQ(turned, (std::vector<uint8_t>{4, 1, 5, 2, 6, 27, 9, 9}));

    std::vector<uint8_t> rotated(W * H), buffer((W + 8) * (H + 8), 0);
    for (size_t i = 0; i < rotated.size(); ++i)
        rotated[i] = uint8_t(1 + i % 250);
    CopyToPrintBuffer(rotated.data(), H, W, buffer.data());
    for (int r = 0; r < W + 8; ++r)
        for (int c = 0; c < H + 8; ++c) {
            const bool ring = r < 4 || r >= W + 4 || c < 4 || c >= H + 4;
            ASSERT_EQ(buffer[size_t(r) * (H + 8) + c],
                      ring ? 0 : rotated[size_t(r - 4) * H + c - 4])
                << r << "," << c;
        }
}

TEST(PrintGeometry, OversizedDevicesAreScaledInProportionAndCentred) {
    // Scale, printable width and height, origin x and y.
    const std::vector<int> cases[] = {
        {2479, 3508, 1, 2479, 3508, 0, 0},     {32767, 32767, 1, 32767, 32767, 0, 0},
        {32768, 10, 2, 16384, 5, 0, 0},        {65534, 10, 2, 32767, 5, 0, 0},
        {65535, 10, 3, 21845, 3, 0, 0},        {52000, 33000, 2, 26000, 16500, 0, 0},
        {70001, 90000, 3, 23333, 30000, 1, 0}, {60002, 98302, 4, 15000, 24575, 1, 1}};
    for (const std::vector<int>& c : cases) {
        const PrintableArea a = FitPrintableArea(c[0], c[1]);
        EXPECT_EQ(std::vector<int>(c.begin() + 2, c.end()),
                  (std::vector<int>{a.scale, a.pw, a.ph, a.xOrigin, a.yOrigin}));
        if (c[1] < 100)
            continue;
        // On the device the Default picture keeps its proportions and sits centred within one scale
        // step.
        const DefaultGeometry d = DefaultLayout(a.pw, a.ph, W, H);
        const int left = a.xOrigin + d.xDest * a.scale, right = c[0] - (left + d.destW * a.scale);
        const int top = a.yOrigin + d.yDest * a.scale, bottom = c[1] - (top + d.destH * a.scale);
        EXPECT_TRUE(left >= 0 && top >= 0 && std::abs(left - right) <= a.scale + 1 &&
                    std::abs(top - bottom) <= 4 * a.scale)
            << c[0] << " x " << c[1];
        EXPECT_NEAR(double(d.destW) / d.destH, 468.0 / 668.0, 0.002);
    }
    // The layouts take the standard page only.
    EXPECT_EQ(PrintablePage(660, 460), 1);
    EXPECT_EQ(PrintablePage(661, 460) + PrintablePage(660, 461), 0);
}

// printer.dta's bytes: the mode, low-order first; a short file replaces only the low bytes of 0.
TEST(PrintModeFile, BytesHoldTheModeLowOrderFirst) {
    const uint8_t held[6] = {4, 3, 2, 1, 9, 9};
    EXPECT_EQ(PrintModeFromBytes(held, 6), 0x01020304);
    EXPECT_EQ(PrintModeFromBytes(held, 1), 4);
    uint8_t out[5] = {0, 0, 0, 0, 7};
    PrintModeToBytes(-2, out);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 5),
              (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 7}));
}

// A printer that answers StartDoc, StartPage and EndPage as told and records every call.
struct FakePrinter {
    int doc, page, end;
    std::string calls;
    template <char C> static int Answer(void* p) {
        FakePrinter& f = *static_cast<FakePrinter*>(p);
        f.calls += C;
        return C == 'D' ? f.doc : C == 'P' ? f.page : f.end;
    }
    template <char C> static void Note(void* p) { Answer<C>(p); }
};

// The page is ended always, the document only after it; a document that cannot end is aborted.
TEST(PrintSteps, ThePageIsEndedAlwaysTheDocumentOnlyAfterIt) {
    using F = FakePrinter;
    const std::tuple<FakePrinter, const char*, int> cases[] = {
        {{1, 1, 1, ""}, "DPdEe", 0}, {{1, 0, 1, ""}, "DPEe", 1}, {{0, 1, 1, ""}, "DEe", 1},
        {{1, 0, 0, ""}, "DPEa", 1},  {{-1, 1, 0, ""}, "DE", 1},  {{1, 1, -1, ""}, "DPdEa", 0}};
    for (auto [printer, want, failed] : cases) {
        const PrintJobCalls calls = {&printer,       F::Answer<'D'>, F::Answer<'P'>, F::Note<'d'>,
                                     F::Answer<'E'>, F::Note<'e'>,   F::Note<'a'>};
        EXPECT_EQ(RunPrintSteps(calls), failed) << want;
        EXPECT_EQ(printer.calls, want);
    }
}

} // namespace

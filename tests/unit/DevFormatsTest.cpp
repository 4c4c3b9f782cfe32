// Texts no command shows (a status number, the page's dumps, the assertion text) and the intro's
// centring.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/Centring.h"
#include "page/PageDumpText.h"
#include "support/DevFormats.h"
#include "support/TextFormat.h"

namespace {

// The status strip pads two numbers to four digits each; the page's dumps, a box of colours and
// one of bytes, show four of them a line.
TEST(DevFormats, StatusNumbersAndDumps) {
    char status[StatusTextSize];
    const int two[] = {12, -34};
    FormatStatusInts(status, sizeof status, two, 2);
    EXPECT_STREQ(status, "0012,  -0034");
    RgbQuad colours[256] = {};
    uint8_t bytes[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {uint8_t(255 - i), uint8_t(2 * i), uint8_t(i), 0}, bytes[i] = uint8_t(i);
    char text[DumpTextSize];
    const int length = FormatColourGroup(text, sizeof text, colours, 192);
    std::string dump = text;
    EXPECT_EQ(length, int(dump.size()));
    EXPECT_TRUE(dump.starts_with("Red Green Blue:  group 192 to 255\n"
                                 "192 128 063,  193 130 062,  194 132 061,  195 134 060\n"));
    EXPECT_TRUE(dump.ends_with("252 248 003,  253 250 002,  254 252 001,  255 254 000\n"));
    FormatByteGroup(text, sizeof text, bytes, 64);
    dump = text;
    EXPECT_TRUE(dump.starts_with(
        "Group 64 to 127\n064 065 066,  067 068 069,  070 071 072,  073 074 075\n"));
    EXPECT_TRUE(dump.ends_with("112 113 114,  115 116 117,  118 119 120,  121 122 123\n"));
}

TEST(TextFormat, AssertionTextIsCutToItsBuffer) {
    char text[80] = "unchanged";
    FormatAssertText(text, 0, "x", "Gmem", 1);
    EXPECT_STREQ(text, "unchanged");
    FormatAssertText(text, sizeof text, "lpDibClear", "Gmem", 26);
    EXPECT_STREQ(text, "at line 26 in file Gmem: \"lpDibClear\": OK to continue.");
    FormatAssertText(text, sizeof text, std::string(200, 'x').c_str(), "Gmem", 26);
    EXPECT_EQ(std::string(text), "at line 26 in file Gmem: \"" + std::string(53, 'x'));
}

// The intro's pictures sit at this margin: the system font's usual height, a larger one, and one
// whose scaling truncates.
TEST(Centring, IntroPictureMargin) {
    EXPECT_EQ(CentreOffsetFor(170, 320, 16), 10);
    EXPECT_EQ(CentreOffsetFor(170, 320, 20), 52);
    EXPECT_EQ(CentreOffsetFor(171, 321, 17), 20);
}

} // namespace

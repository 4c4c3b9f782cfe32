// Texts no command shows (a status number, the assertion text) and the intro's centring.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialogs/Centring.h"
#include "support/DevFormats.h"
#include "support/TextFormat.h"

namespace {

// The developer displays' status strip pads two numbers to four digits each.
TEST(DevFormats, StatusNumbersPad) {
    char text[StatusTextSize];
    const int two[] = {12, -34};
    FormatStatusInts(text, sizeof text, two, 2);
    EXPECT_STREQ(text, "0012,  -0034");
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

// The developer displays' texts: status formats, dumps, the header text and the path beside the
// program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "dialogs/Centring.h"
#include "page/PageDumpText.h"
#include "support/DevFormats.h"
#include "support/TextFormat.h"

namespace {

TEST(DevFormats, StatusNumbersPadAndStayInTheirBuffer) {
    char text[StatusTextSize];
    const int two[] = {12, 34};
    FormatStatusInts(text, sizeof text, two, 2);
    EXPECT_STREQ(text, "0012,  0034");
    const int five[] = {1, -2, 30, 400, 5000};
    FormatStatusInts(text, sizeof text, five, 5);
    EXPECT_STREQ(text, "0001, -0002, 0030, 0400, 5000");
    const unsigned long three[] = {1, 4000000000ul, 7};
    FormatStatusULongs(text, sizeof text, three, 3);
    EXPECT_STREQ(text, "1,  4000000000,  7");
    // A huge real would need more than 128 characters; the text is cut, the buffer's guard byte
    // untouched.
    char guarded[StatusTextSize + 1];
    guarded[StatusTextSize] = 'G';
    FormatStatusReals(guarded, StatusTextSize, 1e200, 1e200);
    EXPECT_EQ(std::strlen(guarded), StatusTextSize - 1);
    EXPECT_EQ(guarded[StatusTextSize], 'G');
}

TEST(DevFormats, DumpsShowTheirGroup) {
    RgbQuad colours[256] = {};
    for (int i = 0; i < 256; ++i)
        colours[i] = {uint8_t(255 - i), uint8_t(2 * i), uint8_t(i), 0};
    char text[DumpTextSize];
    const int length = FormatColourGroup(text, sizeof text, colours, 192);
    EXPECT_EQ(length, int(std::strlen(text)));
    const std::string colourText = text;
    EXPECT_TRUE(colourText.starts_with("Red Green Blue:  group 192 to 255\n"
                                       "192 128 063,  193 130 062,  194 132 061,  195 134 060\n"));
    EXPECT_NE(colourText.find("252 248 003,  253 250 002,  254 252 001,  255 254 000\n"),
              std::string::npos);
    EXPECT_EQ(std::count(colourText.begin(), colourText.end(), '\n'), 17);

    uint8_t bytes[256];
    for (int i = 0; i < 256; ++i)
        bytes[i] = uint8_t(i);
    FormatByteGroup(text, sizeof text, bytes, 64);
    const std::string byteText = text;
    EXPECT_TRUE(byteText.starts_with(
        "Group 64 to 127\n064 065 066,  067 068 069,  070 071 072,  073 074 075\n"));
    EXPECT_NE(byteText.find("112 113 114,  115 116 117,  118 119 120,  121 122 123\n"),
              std::string::npos);
    EXPECT_EQ(std::count(byteText.begin(), byteText.end(), '\n'), 6);
}

std::string Beside(const std::string& module, const char* name, int truncated = 0) {
    char path[ModulePathSize] = {};
    std::memcpy(path, module.data(), std::min(module.size(), sizeof path));
    PlaceBesideModule(path, sizeof path, truncated, name);
    return path;
}

TEST(DevFormats, PathBesideTheProgram) {
    EXPECT_EQ(Beside("C:\\Games\\Hueberry\\hueberry.exe", "bones.col"),
              "C:\\Games\\Hueberry\\bones.col");
    EXPECT_EQ(Beside("C:hueberry.exe", "x.dta"), "C:x.dta");
    const std::string longest = "C:\\" + std::string(111, 'd') + "\\"; // 115 characters
    EXPECT_EQ(Beside(longest + "h.exe", "12345678.col"), longest + "12345678.col");
    const std::string tooLong = "C:\\" + std::string(112, 'd') + "\\"; // 116 characters
    EXPECT_EQ(Beside(tooLong + "h.exe", "bones.col"), tooLong + "?");
    // The platform cut the path at 127 characters, inside a directory deeper than the last
    // separator seen.
    const std::string cut =
        ("C:\\" + std::string(100, 'p') + "\\" + std::string(40, 'q')).substr(0, 127);
    EXPECT_EQ(Beside(cut, "bones.col", 1), "C:\\" + std::string(100, 'p') + "\\?");
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

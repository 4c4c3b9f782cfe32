// Texts no command shows: a status number, the page's dumps, the assertion text, the log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "page/PageDumpText.h"
#include "support/DevFormats.h"
#include "support/LogFile.h"
#include "support/TextFormat.h"

namespace {

// The status strip pads numbers to four digits; the dumps of colours and of bytes show four a line.
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

// The developer's log: nothing written while it is off; once started, a header, then one line a
// message stamped with the tenths of a second since the start.
uint32_t Now;

std::string LogText() {
    std::ifstream in("log.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LogFile, OffUntilStartedThenStampedLinesAfterTheHeader) {
    namespace fs = std::filesystem;
    const fs::path before = fs::current_path(), dir = before / "hb-log-test"; // one per build
    fs::remove_all(dir);
    fs::create_directories(dir / "log.txt"); // a folder in its way: no log can be made
    fs::current_path(dir);
    LogClock = [] { return Now; };
    Now = 1050;
    EXPECT_EQ(LogMessage("SetDisplayMode"), 1); // off: nothing written, nothing made
    EXPECT_EQ(StartLog(), 0);
    EXPECT_EQ(LogMessage("SetDisplayMode"), 1); // still off
    fs::remove(dir / "log.txt");
    std::ofstream("log.txt") << "an old log\n";
    ASSERT_EQ(StartLog(), 1);
    const std::string header = LogText();
    EXPECT_TRUE(std::regex_match(
        header, std::regex("0:  Log file for Hueberry: (Mon|Tue|Wed|Thu|Fri|Sat|Sun) "
                           "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-3][0-9] "
                           "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] 20[0-9][0-9]\n\nTime Message\n")))
        << header;
    Now += 12399; // 12.399 s later: the tenths go from 10 to 134
    EXPECT_EQ(LogMessage("%s %i", "SetDisplayMode", 16), 1);
    EXPECT_EQ(LogText(), header + "124:  SetDisplayMode 16\n");
    fs::remove(dir / "log.txt");
    fs::create_directory(dir / "log.txt");
    EXPECT_EQ(LogMessage("lost"), 0);
    fs::current_path(before);
    fs::remove_all(dir);
}

} // namespace

// The developer's log: nothing written while it is off; once started, a header, then one line a
// message stamped with the tenths of a second since the start.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/LogFile.h"

namespace {

uint32_t Now;

std::string LogText() {
    std::ifstream in("log.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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

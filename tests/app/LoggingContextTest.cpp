#include "app/LoggingContext.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using ox::core::logger::ELogLevel;

namespace {

// A program that logs an error every frame for hours must not grow without
// bound in memory; the file is the complete record.
TEST(LoggingContextTest, MemoryLogKeepsTheLastTenThousandLinesAndTheFileKeepsAll) {
    ox::test::TempDir dir;
    ox::test::CurrentDirectory inDir(dir.path());
    std::vector<std::string> memoryLog;
    {
        ox::app::LoggingContext logging;
        ASSERT_TRUE(ox::app::setupLogging(memoryLog, logging));
        for (int i = 0; i < 10003; ++i) {
            logging.mainLog->log(ELogLevel::Error, "line " + std::to_string(i));
        }
        ox::app::releaseLogging(logging);
    }
    ASSERT_EQ(memoryLog.size(), 10000u);
    EXPECT_TRUE(memoryLog.front().ends_with("main > line 3")) << memoryLog.front();
    EXPECT_TRUE(memoryLog.back().ends_with("main > line 10002")) << memoryLog.back();

    const std::string file = ox::test::readFile(dir / "vexel.log");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 10003);
    EXPECT_NE(file.find("main > line 0\n"), std::string::npos);
}

} // namespace

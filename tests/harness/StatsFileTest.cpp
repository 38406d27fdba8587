#include "harness/StatsFile.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using ox::harness::OutputFile;
using ox::harness::StatsFile;

// Rows anyone can plot: milliseconds with three decimals, empty fields for
// GPU times that did not come back.
TEST(StatsFileTest, OneRowPerFrameWithAndWithoutGpuColumns) {
    ox::test::TempDir dir;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        bool withGpu;
        const char* expected;
    } cases[] = {
        {false, "frame,frame_ms\n"
                "1,2500.000\n"
                "2,16.667\n"
                "3,\n"},
        {true, "frame,frame_ms,gpu_frame_ms,gpu_group0_ms,gpu_group1_ms,gpu_group2_ms\n"
               "1,2500.000,1.000,0.500,0.250,0.125\n"
               "2,16.667,0.004,0.001,0.000,0.000\n"
               "3,,0.004,0.001,0.000,0.000\n"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto path = dir / (c.withGpu ? "gpu.csv" : "cpu.csv");
        auto file = OutputFile::open(path, error);
        ASSERT_TRUE(file) << error;
        StatsFile stats(*file, c.withGpu);
        EXPECT_TRUE(stats.writeRow(1, 2.5, 0.001, {0.0005, 0.00025, 0.000125}));
        EXPECT_TRUE(stats.writeRow(2, 1.0 / 60.0, 0.000004, {0.000001, 0.0, 0.0}));
        EXPECT_TRUE(stats.writeRow(3, nan, 0.000004, {0.000001, 0.0, 0.0}));
        EXPECT_TRUE(file->close(error)) << error;
        EXPECT_EQ(ox::test::readFile(path), c.expected);
    }
}

TEST(StatsFileTest, APathThatCannotBeWrittenIsRefusedWithItsReason) {
    ox::test::TempDir dir;
    std::filesystem::create_directories(dir / "folder");
    const struct {
        std::filesystem::path path;
        const char* reason;
    } cases[] = {
        {dir / "folder", ": is a directory"},
        {dir / "missing" / "stats.csv", ": cannot be written (No such file or directory)"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(OutputFile::open(c.path, error));
        EXPECT_EQ(error, c.path.string() + c.reason);
    }
}

} // namespace

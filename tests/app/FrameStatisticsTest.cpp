#include "app/FrameStatistics.hpp"

#include <gtest/gtest.h>
#include <string>

using ox::app::FrameStatistics;

namespace {

TEST(FrameStatisticsTest, TitleStaysEmptyUntilTheFirstRefreshAfterOneSecond) {
    FrameStatistics stats;
    stats.start(0.2);
    stats.beginFrame(0.3);
    EXPECT_FALSE(stats.refreshTitle(0.5, 45.0, 0, 0, 0));
    EXPECT_STREQ(stats.title(), "");
    // Exactly one second is not enough: the refresh needs strictly more.
    EXPECT_FALSE(stats.refreshTitle(1.0, 45.0, 0, 0, 0));
    EXPECT_TRUE(stats.refreshTitle(1.01, 45.0, 0, 0, 0));
    EXPECT_NE(std::string(stats.title()), "");
}

TEST(FrameStatisticsTest, AverageIsFramesOverSecondsSinceTheStart) {
    FrameStatistics stats;
    stats.start(10.0);
    for (int frame = 1; frame < 500; ++frame) {
        stats.beginFrame(10.0 + frame * 0.005);
    }
    stats.beginFrame(12.5);
    EXPECT_EQ(stats.frameCount(), 500u);
    ASSERT_TRUE(stats.refreshTitle(12.6, 45.0, 0.0, 0.0, 0.0));
    EXPECT_STREQ(stats.title(), "FPS: avg: 200.00, fov: 45.00, cam(0.00,0.00,0.00)");
}

TEST(FrameStatisticsTest, RefreshesAtMostOncePerSecondAndKeepsTheOldTextBetween) {
    FrameStatistics stats;
    stats.start(0.0);
    stats.beginFrame(1.5);
    ASSERT_TRUE(stats.refreshTitle(1.5, 60.0, 1.0, -2.5, 3.25));
    const std::string first = stats.title();
    EXPECT_EQ(first, "FPS: avg: 0.67, fov: 60.00, cam(1.00,-2.50,3.25)");
    stats.beginFrame(2.0);
    EXPECT_FALSE(stats.refreshTitle(2.4, 30.0, 0, 0, 0));
    EXPECT_EQ(std::string(stats.title()), first);
    EXPECT_TRUE(stats.refreshTitle(2.6, 30.0, 0, 0, 0));
}

TEST(FrameStatisticsTest, NoElapsedTimeShowsZeroAndHugeValuesStayInsideTheBuffer) {
    FrameStatistics stats;
    stats.start(5.0);
    stats.beginFrame(5.00001);
    EXPECT_EQ(stats.averageFrameRate(), 0.0);
    ASSERT_TRUE(stats.refreshTitle(7.0, 1e300, 1e300, -1e300, 1e300));
    EXPECT_LE(std::string(stats.title()).size(), FrameStatistics::titleLimit - 1);
}

} // namespace

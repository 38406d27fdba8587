#include "harness/FrameCapture.hpp"
#include "support/RecordingLoggingContext.hpp"
#include "support/RecordingRenderingApi.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

namespace {

using ox::harness::FrameCapture;

TEST(FrameCaptureTest, OnlyListedFramesAreWantedAndAFailedReadIsLoggedNotWritten) {
    ox::test::TempDir dir;
    ox::test::RecordingLoggingContext logging;
    const FrameCapture capture(dir.path(), {1, 61, 90}, logging.logging.mainLog);
    std::vector<std::uint32_t> wanted;
    for (std::uint32_t frame = 0; frame <= 100; ++frame) {
        if (capture.wants(frame)) {
            wanted.push_back(frame);
        }
    }
    EXPECT_EQ(wanted, (std::vector<std::uint32_t>{1, 61, 90}));
    EXPECT_EQ(capture.fileFor(61), dir / "frame-61.png");

    // The recording API reads nothing; a window of no size is not read at all.
    auto api = std::make_shared<ox::test::RecordingRenderingApi>();
    EXPECT_FALSE(capture.capture(61, *api, {1024, 1024}));
    EXPECT_FALSE(capture.capture(1, *api, {0, 1024}));
    EXPECT_EQ(api->calls, std::vector<std::string>{"readPixels(0, 0, 1024, 1024, 4194304)"});
    EXPECT_EQ(logging.writer->messages(),
              (std::vector<std::string>{"Frame 61 not captured: the pixels could not be read.",
                                        "Frame 1 not captured: the window is 0x1024."}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace

#include "harness/RunInstruments.hpp"
#include "harness/RunOutputs.hpp"
#include "harness/ScreenshotKey.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"
#include "support/NullRenderer.hpp"
#include "support/NullRendererWindow.hpp"
#include "support/ReadFile.hpp"
#include "support/RecordingLoggingContext.hpp"
#include "support/RecordingRenderingApi.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

namespace {

using ox::core::logger::ELogLevel;

// The instruments, with the F12 key and the run's outputs around them as in
// a run, through `frames` frames of 10 ms on a renderer without GL, whose
// timer queries take 2 ms each but are never ready before they are waited
// for; with `f12` F12 comes among the last frame's events. Returns the log
// lines.
std::vector<std::pair<ELogLevel, std::string>> run(const ox::harness::run_options_t& options,
                                                   std::uint32_t frames, bool f12) {
    ox::test::RecordingLoggingContext logging;
    auto api = std::make_shared<ox::test::RecordingRenderingApi>();
    api->recording = false;
    api->queryResult = 2'000'000;
    api->queryResultsReady = false;
    auto renderer = std::make_shared<ox::test::NullRenderer>();
    renderer->renderingApi = api;
    ox::app::RendererContext context;
    context.renderer = renderer;
    context.windowEvents = std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
    ox::test::NullRendererWindow window;
    ox::harness::RunOutputs outputs;
    if (options.statsFile) {
        outputs.add(ox::harness::output_kinds::stats, *options.statsFile);
    }
    ox::harness::RunInstruments instruments(options, outputs);
    ox::harness::ScreenshotKey screenshots;
    const std::vector<ox::app::IFrameObserver*> observers{&outputs, &instruments, &screenshots};
    for (auto* observer : observers) {
        observer->attach(logging.logging, context);
    }
    for (auto* observer : observers) {
        observer->started();
    }
    for (std::uint32_t frame = 1; frame <= frames; ++frame) {
        renderer->time = 0.01 * frame;
        for (auto* observer : observers) {
            observer->beginFrame(frame);
        }
        for (auto* observer : observers) {
            observer->frameDrawn(frame, *api, window);
        }
    }
    if (f12) {
        context.windowEvents->invokeOnKeyEvent({}, ox::renderer::EInputKey::F12, 88,
                                               ox::renderer::EInputAction::Press, 0);
    }
    renderer->time = 0.01 * (frames + 1);
    for (auto observer = observers.rbegin(); observer != observers.rend(); ++observer) {
        (*observer)->loopEnded();
    }
    return logging.writer->lines;
}

// A frame whose GPU time is not back four frames later keeps its CSV row with
// the GPU fields empty, and the end-of-run line counts it; the last four
// frames are waited for at the end.
TEST(RunInstrumentsTest, FramesWithoutAGpuTimeKeepTheirRowsAndAreCounted) {
    ox::test::TempDir dir;
    ox::harness::run_options_t options;
    options.gpuTiming = true;
    options.statsFile = dir / "stats.csv";
    const auto lines = run(options, 10, false);
    std::string expected =
        "frame,frame_ms,gpu_frame_ms,gpu_group0_ms,gpu_group1_ms,gpu_group2_ms\n";
    for (std::uint32_t frame = 1; frame <= 10; ++frame) {
        expected += std::to_string(frame) +
                    (frame <= 6 ? ",10.000,,,,\n" : ",10.000,2.000,0.000,0.000,0.000\n");
    }
    EXPECT_EQ(ox::test::readFile(dir / "stats.csv"), expected);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].second.ends_with(
        "GPU time per frame: mean 2.000 ms, 99th percentile 2.000 ms; render group 0: mean 0.000 "
        "ms, 99th percentile 0.000 ms; render group 1: mean 0.000 ms, 99th percentile 0.000 ms; "
        "render group 2: mean 0.000 ms, 99th percentile 0.000 ms; no GPU time for 6 of 10 frames."))
        << lines[0].second;
}

// F12 among a frame's events asks for the next frame; among the last frame's
// there is none, and an error line says so rather than nothing.
TEST(RunInstrumentsTest, AnF12InTheLastFrameIsReportedNotLost) {
    const auto lines = run({}, 3, true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].first, ELogLevel::Error);
    EXPECT_TRUE(lines[0].second.ends_with(
        "main > Screenshot not written: F12 came while frame 3, the last of the run, was shown, "
        "and no frame was drawn after it."))
        << lines[0].second;
}

} // namespace

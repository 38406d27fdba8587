#pragma once

#include "app/FrameTimings.hpp"
#include "app/GpuTimer.hpp"
#include "app/StatsFile.hpp"
#include "core/logger/ILogApi.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

namespace ox::app {

// The measuring instruments of a run, around the frame loop: frame timings
// always, the GPU timer and the per-frame CSV when asked for. The loop calls
// the hooks in frame order; finish() writes the end-of-run line on "main"
// after the last frame, while the context still exists. Nothing here
// allocates or makes a system call per frame. Main thread only.
class RunInstruments {
public:
    explicit RunInstruments(std::shared_ptr<core::logger::ILogApi> mainLog);

    // Both optional; the timer must be started already.
    void setStatsFile(std::unique_ptr<StatsFile> file);
    void setGpuTimer(std::shared_ptr<GpuTimer> timer);

    // At the start of every frame, with the renderer's clock.
    void frameStarted(std::uint32_t frame, double now);
    // Around the frame's GL commands: before the clear, before the swap.
    void beforeDraw();
    void beforeSwap();
    // After the last frame, with the renderer's clock: closes the last
    // frame's time, collects the outstanding GPU times, closes the CSV and
    // logs the end-of-run line. Once.
    void finish(double now);

    const FrameTimings& timings() const { return frameTimings; }

private:
    static constexpr std::size_t pendingFrames = 2 * GpuTimer::framesInFlight;

    void frameEnded(std::uint32_t frame, double seconds);
    void gpuFrame(const GpuTimer::frame_times_t& times);
    void writeRow(std::uint32_t frame, double seconds, double gpuSeconds,
                  const FrameTimings::group_seconds_t& groups);
    void logError(const std::string& text);

    std::shared_ptr<core::logger::ILogApi> log;
    FrameTimings frameTimings;
    std::unique_ptr<StatsFile> stats;
    std::shared_ptr<GpuTimer> gpuTimer;
    std::uint32_t frame = 0;
    double frameStart = 0.0;
    bool finished = false;
    // CPU times of recent frames, kept until their GPU times come back.
    std::array<double, pendingFrames> cpuSeconds{};
};

} // namespace ox::app

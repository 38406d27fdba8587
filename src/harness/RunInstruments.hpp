#pragma once

#include "app/IFrameObserver.hpp"
#include "app/scene_instruments_t.hpp"
#include "core/logger/ILogApi.hpp"
#include "harness/FrameTimings.hpp"
#include "harness/GpuTimer.hpp"
#include "harness/RunOutputs.hpp"
#include "harness/StatsFile.hpp"
#include "harness/run_options_t.hpp"
#include "renderer/IRenderer.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace ox::harness {

// The measuring instruments of a run, as a frame observer: frame timings
// always; the GPU timer, the per-frame CSV and driver messages when the
// options ask for them. The end-of-run line goes on "main" when the loop
// ends, before shut-down. Nothing here allocates or makes a system call per
// frame. The CSV is the --stats file of `outputs`, which must outlive this.
// Keep it alive for the whole run; main thread only.
class RunInstruments : public app::IFrameObserver {
public:
    RunInstruments(const run_options_t& options, RunOutputs& outputs);

    // What these instruments ask of the run's scene: the GPU timer as its
    // render-group observer (empty without --gpu-timing), and debug labels
    // and groups with --gl-debug.
    app::scene_instruments_t sceneInstruments() const { return {gpuTimer, options.glDebug}; }

    void attach(const app::LoggingContext& logging, const app::RendererContext& context) override;
    void started() override;
    void beginFrame(std::uint32_t frame) override;
    void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                    const renderer::IRendererWindow& window) override;
    void loopEnded() override;

    const FrameTimings& timings() const { return frameTimings; }

private:
    static constexpr std::size_t pendingFrames = 2 * GpuTimer::framesInFlight;

    void frameEnded(std::uint32_t frame, double seconds);
    void gpuFrame(const GpuTimer::frame_times_t& times);
    void writeRow(std::uint32_t frame, double seconds, double gpuSeconds,
                  const FrameTimings::group_seconds_t& groups);
    void logError(const std::string& text);

    run_options_t options;
    RunOutputs& outputs;
    std::shared_ptr<core::logger::ILogApi> log;
    // Not owned: the program releases the renderer before its logging, and a
    // observer that kept it would keep it past that.
    std::weak_ptr<renderer::IRenderer> renderer;
    FrameTimings frameTimings;
    std::optional<StatsFile> stats;
    std::shared_ptr<GpuTimer> gpuTimer;
    bool gpuTiming = false;
    std::uint32_t frame = 0;
    double frameStart = 0.0;
    bool finished = false;
    // CPU times of recent frames, kept until their GPU times come back.
    std::array<double, pendingFrames> cpuSeconds{};
};

} // namespace ox::harness
